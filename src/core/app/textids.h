#pragma once

// The numbers of the language pack texts, by what they label. Where one number has two targets,
// both show the same text.
namespace zev::TextId {

constexpr int StatusLine = 1; // main window status line
constexpr int NewHint = 2;    // toolbar hints
constexpr int OpenHint = 3;
constexpr int SaveHint = 4;
constexpr int ReadHint = 5;
constexpr int WriteHint = 6;
constexpr int ChannelEditHint = 7;
constexpr int FunctionOptionsHint = 8;
constexpr int PowerAdjustHint = 9;
constexpr int ModelLabel = 10; // label before the model selector
constexpr int FileMenu = 11;
constexpr int NewMenu = 12;
constexpr int OpenMenu = 13;
constexpr int SaveMenu = 14;
constexpr int CloseMenu = 15;
constexpr int EditMenu = 16;
constexpr int ReadCommand = 17;  // Read menu item and read dialog title
constexpr int WriteCommand = 18; // Write menu item and write dialog title
constexpr int ChannelEditMenu = 19;
constexpr int FunctionOptionsMenu = 20;
constexpr int PowerAdjustCommand = 21; // Power adjust menu item and power dialog title
constexpr int PortMenu = 22;
constexpr int HelpMenu = 23;
constexpr int HelpContentsMenu = 24;
constexpr int AboutCommand = 25; // About menu item and about box title
constexpr int ConfirmCaption = 26;
constexpr int ModelChangeQuestion = 27;
constexpr int NewQuestion = 28;
constexpr int LanguageMenu = 29;
constexpr int ChannelEditorTitle = 30;
constexpr int ChannelEditorExit = 31;
constexpr int MoveChannelUp = 32;
constexpr int MoveChannelDown = 33;
constexpr int DeleteChannel = 34;
constexpr int HeaderFirst = 35; // channel table header, columns 0 to 7
constexpr int HeaderChannel = 35;
constexpr int HeaderRxFrequency = 36;
constexpr int HeaderRxTone = 37;
constexpr int HeaderTxFrequency = 38;
constexpr int HeaderTxTone = 39;
constexpr int HeaderPower = 40;
constexpr int HeaderFlagA = 41;
constexpr int HeaderFlagB = 42;
constexpr int HeaderLast = 42;
constexpr int OffWord = 43;
constexpr int HighWord = 44;
constexpr int LowWord = 45;
constexpr int OnWord = 46;
constexpr int Unused = 47; // a pack may hold anything here; nothing shows it
constexpr int FunctionOptionsTitle = 48;
constexpr int OptionLabelFirst = 49; // the option labels, in the order of the options
constexpr int SquelchLabel = 49;
constexpr int BatterySaveLabel = 50;
constexpr int TimeOutTimerLabel = 51;
constexpr int VoicePromptLabel = 52;
constexpr int KeyBeepLabel = 53;
constexpr int AlarmKeyLabel = 54;
constexpr int ScanLabel = 55;
constexpr int MinutesFirst = 56; // time-out timer items 1 to 7
constexpr int MinutesLast = 62;
constexpr int VoiceFirst = 63; // voice prompt items 0 to 3
constexpr int ChineseMaleVoice = 63;
constexpr int EnglishMaleVoice = 64;
constexpr int ChineseFemaleVoice = 65;
constexpr int EnglishFemaleVoice = 66;
constexpr int VoiceLast = 66;
constexpr int ExitButton = 67;  // options window and about box
constexpr int ProgramLine = 68; // about box line 1 and panel 0 of the read/write dialogs
constexpr int VersionLine = 69;
constexpr int AboutLine3 = 70;
constexpr int AboutLine4 = 71;
constexpr int HighPowerLabel = 72;
constexpr int LowVoltageLabel = 73;
constexpr int LowPowerLabel = 74;
constexpr int ReadOutButton = 75; // power dialog "read out" and read dialog button
constexpr int WriteInButton = 76; // power dialog "write in" and write dialog button
constexpr int SuccessLabel = 77;  // shown followed by the success counter
constexpr int TransferFailed = 78;
constexpr int OptionsMenu = 79;
constexpr int PortBusyMessage = 80;
constexpr int PortBusyCaption = 81;

constexpr int First = 1;
constexpr int Last = 81;

} // namespace zev::TextId
