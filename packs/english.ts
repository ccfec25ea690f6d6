<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="1">
        <source>VARKOL RH-4800 FM Handheld Radio Programming Software</source>
        <translation>VARKOL RH-4800 FM Handheld Radio Programming Software</translation>
    </message>
    <message id="2">
        <source>New</source>
        <translation>New</translation>
    </message>
    <message id="3">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="4">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="5">
        <source>Read from radio</source>
        <translation>Read from radio</translation>
    </message>
    <message id="6">
        <source>Write to radio</source>
        <translation>Write to radio</translation>
    </message>
    <message id="7">
        <source>Channel edit</source>
        <translation>Channel edit</translation>
    </message>
    <message id="8">
        <source>Function options</source>
        <translation>Function options</translation>
    </message>
    <message id="9">
        <source>Power adjust</source>
        <translation>Power adjust</translation>
    </message>
    <message id="10">
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message id="11">
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message id="12">
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message id="13">
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message id="14">
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message id="15">
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message id="16">
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message id="17">
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message id="18">
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message id="19">
        <source>Channel Edit</source>
        <translation>Channel Edit</translation>
    </message>
    <message id="20">
        <source>Function Options</source>
        <translation>Function Options</translation>
    </message>
    <message id="21">
        <source>Power Adjust</source>
        <translation>Power Adjust</translation>
    </message>
    <message id="22">
        <source>COM Port</source>
        <translation>COM Port</translation>
    </message>
    <message id="23">
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message id="24">
        <source>&amp;Contents...</source>
        <translation>&amp;Contents...</translation>
    </message>
    <message id="25">
        <source>&amp;About...</source>
        <translation>&amp;About...</translation>
    </message>
    <message id="26">
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message id="27">
        <source>Changing the model clears the channel data and function options. Continue?</source>
        <translation>Changing the model clears the channel data and function options. Continue?</translation>
    </message>
    <message id="28">
        <source>A new plan clears the channel data and function options. Continue?</source>
        <translation>A new plan clears the channel data and function options. Continue?</translation>
    </message>
    <message id="29">
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message id="30">
        <source>Channel Edit</source>
        <translation>Channel Edit</translation>
    </message>
    <message id="31">
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message id="32">
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message id="33">
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message id="34">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="35">
        <source>CH</source>
        <translation>CH</translation>
    </message>
    <message id="36">
        <source>RX Freq</source>
        <translation>RX Freq</translation>
    </message>
    <message id="37">
        <source>RX Tone</source>
        <translation>RX Tone</translation>
    </message>
    <message id="38">
        <source>TX Freq</source>
        <translation>TX Freq</translation>
    </message>
    <message id="39">
        <source>TX Tone</source>
        <translation>TX Tone</translation>
    </message>
    <message id="40">
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message id="41">
        <source>Scan Add</source>
        <translation>Scan Add</translation>
    </message>
    <message id="42">
        <source>Busy Lock</source>
        <translation>Busy Lock</translation>
    </message>
    <message id="43">
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message id="44">
        <source>High</source>
        <translation>High</translation>
    </message>
    <message id="45">
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message id="46">
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message id="47">
        <source>Reserved</source>
        <translation>Reserved</translation>
    </message>
    <message id="48">
        <source>Function Options</source>
        <translation>Function Options</translation>
    </message>
    <message id="49">
        <source>Squelch Level</source>
        <translation>Squelch Level</translation>
    </message>
    <message id="50">
        <source>Battery Save</source>
        <translation>Battery Save</translation>
    </message>
    <message id="51">
        <source>TX Time-out</source>
        <translation>TX Time-out</translation>
    </message>
    <message id="52">
        <source>Voice Prompt</source>
        <translation>Voice Prompt</translation>
    </message>
    <message id="53">
        <source>Key Beep</source>
        <translation>Key Beep</translation>
    </message>
    <message id="54">
        <source>Alarm Key</source>
        <translation>Alarm Key</translation>
    </message>
    <message id="55">
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
    <message id="56">
        <source>1 min</source>
        <translation>1 min</translation>
    </message>
    <message id="57">
        <source>2 min</source>
        <translation>2 min</translation>
    </message>
    <message id="58">
        <source>3 min</source>
        <translation>3 min</translation>
    </message>
    <message id="59">
        <source>4 min</source>
        <translation>4 min</translation>
    </message>
    <message id="60">
        <source>5 min</source>
        <translation>5 min</translation>
    </message>
    <message id="61">
        <source>6 min</source>
        <translation>6 min</translation>
    </message>
    <message id="62">
        <source>7 min</source>
        <translation>7 min</translation>
    </message>
    <message id="63">
        <source>Chinese male</source>
        <translation>Chinese male</translation>
    </message>
    <message id="64">
        <source>English male</source>
        <translation>English male</translation>
    </message>
    <message id="65">
        <source>Chinese female</source>
        <translation>Chinese female</translation>
    </message>
    <message id="66">
        <source>English female</source>
        <translation>English female</translation>
    </message>
    <message id="67">
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message id="68">
        <source>ZEV-481 Radio Programming Software</source>
        <translation>ZEV-481 Radio Programming Software</translation>
    </message>
    <message id="69">
        <source>Version: 481-1.001</source>
        <translation>Version: 481-1.001</translation>
    </message>
    <message id="70">
        <source>Radio: RH-4800</source>
        <translation>Radio: RH-4800</translation>
    </message>
    <message id="71">
        <source>Copyright VARKOL</source>
        <translation>Copyright VARKOL</translation>
    </message>
    <message id="72">
        <source>High power:</source>
        <translation>High power:</translation>
    </message>
    <message id="73">
        <source>Low voltage:</source>
        <translation>Low voltage:</translation>
    </message>
    <message id="74">
        <source>Low power:</source>
        <translation>Low power:</translation>
    </message>
    <message id="75">
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message id="76">
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message id="77">
        <source>Successes: </source>
        <translation>Successes: </translation>
    </message>
    <message id="78">
        <source>Data transfer failed. Check the programming cable and the radio, then try again.</source>
        <translation>Data transfer failed. Check the programming cable and the radio, then try again.</translation>
    </message>
    <message id="79">
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message id="80">
        <source>The COM port does not exist or another program is using it. Choose another port.</source>
        <translation>The COM port does not exist or another program is using it. Choose another port.</translation>
    </message>
    <message id="81">
        <source>Port Error</source>
        <translation>Port Error</translation>
    </message>
</context>
</TS>
