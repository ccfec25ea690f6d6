<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>zev::Backups</name>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>zev::Band</name>
    <message>
        <source>RX %1 MHz</source>
        <translation>接收 %1 MHz</translation>
    </message>
    <message>
        <source>TX %1 MHz</source>
        <translation>发射 %1 MHz</translation>
    </message>
    <message>
        <source>Channel %1: %2</source>
        <translation>信道 %1：%2</translation>
    </message>
</context>
<context>
    <name>zev::ChannelCsv</name>
    <message>
        <source>the tone mode &quot;%1&quot; is not Tone, TSQL, DTCS or Cross</source>
        <translation>亚音模式“%1”不是 Tone、TSQL、DTCS 或 Cross</translation>
    </message>
    <message>
        <source>the tone %1 (%2) is not in the tone list</source>
        <translation>亚音 %1（%2）不在亚音列表中</translation>
    </message>
    <message>
        <source>the DCS code %1 (%2) is not in the tone list</source>
        <translation>数字亚音码 %1（%2）不在亚音列表中</translation>
    </message>
    <message>
        <source>the DCS polarity &quot;%1&quot; is not two of N and R</source>
        <translation>数字亚音极性“%1”不是两个 N 或 R</translation>
    </message>
    <message>
        <source>the cross mode &quot;%1&quot; is not one the radio can hold</source>
        <translation>交叉模式“%1”是电台无法保存的</translation>
    </message>
    <message>
        <source>the frequency &quot;%1&quot; is not a number of MHz</source>
        <translation>频率“%1”不是以 MHz 为单位的数字</translation>
    </message>
    <message>
        <source>the offset &quot;%1&quot; is not a number of MHz</source>
        <translation>频差“%1”不是以 MHz 为单位的数字</translation>
    </message>
    <message>
        <source>the duplex &quot;%1&quot; is not empty, +, -, split or off</source>
        <translation>双工“%1”不是空、+、-、split 或 off</translation>
    </message>
    <message>
        <source>the power &quot;%1&quot; is neither High nor Low</source>
        <translation>功率“%1”既不是 High 也不是 Low</translation>
    </message>
    <message>
        <source>the skip &quot;%1&quot; is neither empty nor S</source>
        <translation>跳过“%1”既不是空也不是 S</translation>
    </message>
    <message>
        <source>the busy lock &quot;%1&quot; is neither ON nor OFF</source>
        <translation>遇忙禁发“%1”既不是 ON 也不是 OFF</translation>
    </message>
    <message>
        <source>The channel list is not UTF-8 text.</source>
        <translation>信道列表不是 UTF-8 文本。</translation>
    </message>
    <message>
        <source>The channel list has no header row with a Frequency column in its first line.</source>
        <translation>信道列表的第一行不是含有 Frequency 列的表头。</translation>
    </message>
    <message>
        <source>the location &quot;%1&quot; is not a channel from 1 to 16</source>
        <translation>位置“%1”不是 1 到 16 之间的信道</translation>
    </message>
    <message>
        <source>channel %1 is already given in row %2</source>
        <translation>信道 %1 已在第 %2 行给出</translation>
    </message>
    <message>
        <source>the radio holds 16 channels; this row is one too many</source>
        <translation>电台只能保存 16 个信道；此行超出</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>The quote that opens in row %1 of the channel list never closes; nothing was taken.</source>
        <translation>信道列表第 %1 行开始的引号没有闭合；未作任何更改。</translation>
    </message>
    <message>
        <source>the row has no frequency</source>
        <translation>该行没有频率</translation>
    </message>
    <message>
        <source>the tone %1 (%2) is not in the tone list; taken as %3</source>
        <translation>亚音 %1（%2）不在亚音列表中；按 %3 导入</translation>
    </message>
</context>
<context>
    <name>zev::ChannelEditor</name>
    <message>
        <source>Channel table</source>
        <translation>信道表</translation>
    </message>
    <message>
        <source>Arrow keys move between the cells. In a frequency cell type the frequency in MHz; Space or Enter opens the list of a tone cell and switches a power or flag cell. Tab goes on to the buttons.</source>
        <translation>方向键在单元格之间移动。在频率单元格中输入以 MHz 为单位的频率；空格键或回车键打开亚音单元格的列表，或切换功率和开关单元格。Tab 键转到按钮。</translation>
    </message>
    <message>
        <source>Type the frequency in MHz; Enter confirms it, Esc abandons it.</source>
        <translation>输入以 MHz 为单位的频率；回车键确认，Esc 键放弃。</translation>
    </message>
    <message>
        <source>Pick the tone with the arrow keys; Enter takes it, Esc keeps the cell as it was.</source>
        <translation>用方向键选择亚音；回车键选定，Esc 键保持单元格不变。</translation>
    </message>
</context>
<context>
    <name>zev::ChannelFile</name>
    <message>
        <source>the text is not valid GBK</source>
        <translation>文本不是有效的 GBK 编码</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; 不是有效的整数值</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1，第 %2 行：%3</translation>
    </message>
    <message>
        <source>a line break inside a value cannot be stored</source>
        <translation>数值中含有换行符，无法保存</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be stored as GBK</source>
        <translation>&apos;%1&apos; 无法以 GBK 编码保存</translation>
    </message>
    <message>
        <source>the line cannot be stored as GBK</source>
        <translation>该行无法以 GBK 编码保存</translation>
    </message>
    <message>
        <source>%1: %2 is a folder, not a file</source>
        <translation>%1：%2 是文件夹，不是文件</translation>
    </message>
    <message>
        <source>too long for a channel file</source>
        <translation>行过长，不是信道文件</translation>
    </message>
    <message>
        <source>%1: %2 is not a plain file (a pipe, device or socket)</source>
        <translation>%1：%2 不是普通文件（是管道、设备或套接字）</translation>
    </message>
</context>
<context>
    <name>zev::ChannelList</name>
    <message>
        <source>%1 is a folder, not a channel list.</source>
        <translation>%1 是文件夹，不是信道列表。</translation>
    </message>
    <message>
        <source>%1 is larger than 1 MiB, too large for a channel list; nothing was imported.</source>
        <translation>%1 大于 1 MiB，不可能是信道列表；未导入任何内容。</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>导入 CSV</translation>
    </message>
    <message>
        <source>Import the channel list %1?
The channel table then holds the list&apos;s channels only; the function options stay as they are.</source>
        <translation>导入信道列表 %1？
导入后信道表只含列表中的信道；功能选项保持不变。</translation>
    </message>
    <message>
        <source>Import the other rows</source>
        <translation>导入其余各行</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>说明：</translation>
    </message>
    <message>
        <source>Renumber: the first 16 rows with a frequency become channels 1 to 16</source>
        <translation>重新编号：前 16 个有频率的行依次成为信道 1 至 16</translation>
    </message>
    <message>
        <source>These rows would go past channel 16 and were not pasted:</source>
        <translation>以下各行超出信道 16，未粘贴：</translation>
    </message>
    <message>
        <source>Taken with a change:</source>
        <translation>以下各行经调整后导入：</translation>
    </message>
    <message>
        <source>The channel list has no row the radio can hold; nothing changed.</source>
        <translation>信道列表中没有电台可容纳的行；未作任何更改。</translation>
    </message>
    <message>
        <source>These rows cannot go into the radio:</source>
        <translation>以下各行无法写入电台：</translation>
    </message>
    <message>
        <source>… and %1 more rows</source>
        <translation>……另有 %1 行</translation>
    </message>
</context>
<context>
    <name>zev::ChannelPaste</name>
    <message>
        <source>The clipboard holds more than 1 MiB of text, too much for channel rows; nothing was pasted.</source>
        <translation>剪贴板中的文本超过 1 MiB，不可能是信道行；未粘贴任何内容。</translation>
    </message>
    <message>
        <source>it would go to channel %1</source>
        <translation>将落在信道 %1</translation>
    </message>
</context>
<context>
    <name>zev::ChannelSheet</name>
    <message>
        <source>RH-4800 channel sheet</source>
        <translation>RH-4800 信道表</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>写入时间</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Plan SHA-256</source>
        <translation>方案 SHA-256</translation>
    </message>
</context>
<context>
    <name>zev::Codec</name>
    <message>
        <source>The %1 option has no selection.</source>
        <translation>选项“%1”没有选定值。</translation>
    </message>
    <message>
        <source>The band &quot;%1&quot; is not of the form ddd-dddMHz.</source>
        <translation>频段“%1”的格式应为 ddd-dddMHz（例如 136-174MHz）。</translation>
    </message>
</context>
<context>
    <name>zev::CompareDialog</name>
    <message>
        <source>&amp;Compare</source>
        <translation>比较(&amp;C)</translation>
    </message>
    <message>
        <source>Compare with radio</source>
        <translation>与电台比较</translation>
    </message>
    <message>
        <source>The radio holds the plan in the grid.</source>
        <translation>电台中的内容与表格中的方案一致。</translation>
    </message>
    <message>
        <source>Differences: %1 (the grid&apos;s value first)</source>
        <translation>不同之处：%1（表格中的值在前）</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>差异</translation>
    </message>
</context>
<context>
    <name>zev::ConnectionCheck</name>
    <message>
        <source>No device is set for the port</source>
        <translation>端口未设置设备</translation>
    </message>
    <message>
        <source>Choose the cable&apos;s device in Port devices… or with --port.</source>
        <translation>请在“端口设备…”中或用 --port 选择写频线的设备。</translation>
    </message>
    <message>
        <source>There is no serial port %1</source>
        <translation>没有串口 %1</translation>
    </message>
    <message>
        <source>Plug the cable into the computer and check the port&apos;s name: Port devices… and zev4800-cli ports list the serial ports present.</source>
        <translation>请把写频线插到电脑上，并检查端口名称：“端口设备…”和 zev4800-cli ports 会列出现有的串口。</translation>
    </message>
    <message>
        <source>The port %1 is there; it has no stable name in /dev/serial/by-id</source>
        <translation>端口 %1 存在；它在 /dev/serial/by-id 中没有固定名称</translation>
    </message>
    <message>
        <source>The port %1 is there, with the stable name %2</source>
        <translation>端口 %1 存在，固定名称为 %2</translation>
    </message>
    <message>
        <source>You may open %1: you are root</source>
        <translation>您可以打开 %1：您是 root</translation>
    </message>
    <message>
        <source>You may open %1: it is yours</source>
        <translation>您可以打开 %1：它属于您</translation>
    </message>
    <message>
        <source>You may open %1 as a member of the group %2</source>
        <translation>您作为 %2 组的成员可以打开 %1</translation>
    </message>
    <message>
        <source>You may open %1: every user may</source>
        <translation>您可以打开 %1：所有用户都可以</translation>
    </message>
    <message>
        <source>You may open %1 through its access list, which gives it to the person at the computer</source>
        <translation>您可以通过访问控制列表打开 %1，该列表把它交给坐在电脑前的用户</translation>
    </message>
    <message>
        <source>You may not open %1 yet: your account is in the group %2, but this login began before it joined</source>
        <translation>您暂时还不能打开 %1：您的账户已在 %2 组中，但本次登录早于加入该组</translation>
    </message>
    <message>
        <source>Log out and in again.</source>
        <translation>请注销后重新登录。</translation>
    </message>
    <message>
        <source>You may not open %1: it belongs to the group %2, which you are not in</source>
        <translation>您不能打开 %1：它属于 %2 组，而您不在该组中</translation>
    </message>
    <message>
        <source>Join the group with %1 and log in again, or install the udev rule 60-zev4800.rules, which gives the person at the computer the cable (see the README).</source>
        <translation>请用 %1 加入该组并重新登录，或安装 udev 规则 60-zev4800.rules，它会把写频线交给坐在电脑前的用户（见 README）。</translation>
    </message>
    <message>
        <source>Nothing else holds %1</source>
        <translation>没有其他程序占用 %1</translation>
    </message>
    <message>
        <source>ModemManager is not running</source>
        <translation>ModemManager 未在运行</translation>
    </message>
    <message>
        <source>ModemManager runs; it leaves %1 alone, which is no USB adapter</source>
        <translation>ModemManager 正在运行；%1 不是 USB 适配器，它不会去碰</translation>
    </message>
    <message>
        <source>ModemManager runs and is told to leave %1 alone (ID_MM_DEVICE_IGNORE)</source>
        <translation>ModemManager 正在运行，但已被告知不要碰 %1（ID_MM_DEVICE_IGNORE）</translation>
    </message>
    <message>
        <source>ModemManager runs and may hold %1 for a few seconds after the cable is plugged in, sending modem commands down it</source>
        <translation>ModemManager 正在运行，写频线插上后它可能会占用 %1 几秒钟，并向其发送调制解调器命令</translation>
    </message>
    <message>
        <source>Install the udev rule 60-zev4800.rules and plug the cable in again (see the README), or stop ModemManager with %1.</source>
        <translation>请安装 udev 规则 60-zev4800.rules 并重新插上写频线（见 README），或用 %1 停止 ModemManager。</translation>
    </message>
    <message>
        <source>brltty, the braille display service, is installed: it claims some USB serial adapters and may have taken the cable&apos;s</source>
        <translation>已安装盲文显示服务 brltty：它会占用某些 USB 串口适配器，可能已占用了写频线的适配器</translation>
    </message>
    <message>
        <source>Remove it with %1 (or disable it with %2), then plug the cable in again.</source>
        <translation>请用 %1 卸载它（或用 %2 禁用它），然后重新插上写频线。</translation>
    </message>
    <message>
        <source>brltty, the braille display service, is not running</source>
        <translation>盲文显示服务 brltty 未在运行</translation>
    </message>
    <message>
        <source>brltty runs, but has left the cable alone</source>
        <translation>brltty 正在运行，但没有占用写频线</translation>
    </message>
    <message>
        <source>Low-latency mode is not needed: %1 is a pseudo-terminal, which has no latency timer</source>
        <translation>不需要低延迟模式：%1 是伪终端，没有延迟计时器</translation>
    </message>
    <message>
        <source>The driver of %1 accepted low-latency mode</source>
        <translation>%1 的驱动接受了低延迟模式</translation>
    </message>
    <message>
        <source>The driver of %1 refused low-latency mode (%2)</source>
        <translation>%1 的驱动拒绝了低延迟模式（%2）</translation>
    </message>
    <message>
        <source>Transfers work all the same, each reply waiting out the adapter&apos;s latency timer (16 ms on FTDI chips).</source>
        <translation>传输照常可用，只是每个应答都要等过适配器的延迟计时器（FTDI 芯片为 16 毫秒）。</translation>
    </message>
    <message>
        <source>An RH-4800 answered on %1 (band %2)</source>
        <translation>%1 上有一台 RH-4800 应答（频段 %2）</translation>
    </message>
    <message>
        <source>The check was stopped before the radio answered</source>
        <translation>检查在对讲机应答之前被停止</translation>
    </message>
    <message>
        <source>No answer: switch the radio on, push the plug fully into the radio&apos;s socket, and check the volume knob is past its click</source>
        <translation>无应答：请打开对讲机，把插头完全插入对讲机的插孔，并确认音量旋钮已拧过开机的咔嗒位置</translation>
    </message>
    <message>
        <source>The exchange with the radio on %1 failed: %2</source>
        <translation>与 %1 上的对讲机通信失败：%2</translation>
    </message>
</context>
<context>
    <name>zev::FailureAdvice</name>
    <message>
        <source>The radio did not answer at all. Check that it is switched on, that the cable is pushed fully into the radio&apos;s socket, and that the port chosen is the one the cable is plugged into.</source>
        <translation>对讲机完全没有应答。请检查对讲机是否已开机，写频线是否已完全插入对讲机的插孔，以及所选端口是否就是写频线所插的端口。</translation>
    </message>
    <message>
        <source>A radio answered, but not as an RH-4800: it is probably another model, which this program cannot program.</source>
        <translation>有对讲机应答，但不是 RH-4800：它可能是其他型号，本程序无法为其写频。</translation>
    </message>
    <message>
        <source>The radio answered at first and then stopped answering. Check that the cable sits fully in both sockets and that the radio&apos;s battery is charged, then try again.</source>
        <translation>对讲机起初有应答，随后停止了应答。请检查写频线两端是否插紧、对讲机电池是否有电，然后重试。</translation>
    </message>
    <message>
        <source>The port went away during the transfer: the cable may have been pulled out of the computer. Plug it in again, check the port, then try again.</source>
        <translation>传输过程中端口消失了：写频线可能已从电脑上拔出。请重新插好，检查端口，然后重试。</translation>
    </message>
    <message>
        <source>Reason: %1</source>
        <translation>原因：%1</translation>
    </message>
    <message>
        <source>To put back what the radio held before, open the backup made before the write and write it back: %1</source>
        <translation>如要恢复对讲机原有的设置，请打开写频前所做的备份并将其写回：%1</translation>
    </message>
    <message>
        <source>The radio now holds a partly written plan.</source>
        <translation>对讲机现在只写入了部分设置。</translation>
    </message>
    <message>
        <source>Write the plan again.</source>
        <translation>请重新写频。</translation>
    </message>
    <message>
        <source>Write the plan again, or open the backup made before the write and write it back: %1</source>
        <translation>请重新写频，或打开写频前所做的备份并将其写回：%1</translation>
    </message>
</context>
<context>
    <name>zev::FileSystemError</name>
    <message>
        <source>File not found</source>
        <translation>找不到文件</translation>
    </message>
    <message>
        <source>Invalid filename</source>
        <translation>文件名无效</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>打开的文件过多</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>文件访问被拒绝</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>I/O error %1</source>
        <translation>读写错误 %1</translation>
    </message>
    <message>
        <source>File cannot be read without waiting</source>
        <translation>文件无法立即读取</translation>
    </message>
</context>
<context>
    <name>zev::FillFrequenciesDialog</name>
    <message>
        <source>Fill frequencies</source>
        <translation>填充频率</translation>
    </message>
    <message>
        <source>TX offset (MHz)</source>
        <translation>发射频差 (MHz)</translation>
    </message>
    <message>
        <source>RX = TX frequencies for channels %1</source>
        <translation>信道 %1 的接收 = 发射频率</translation>
    </message>
    <message>
        <source>First frequency (MHz)</source>
        <translation>起始频率 (MHz)</translation>
    </message>
    <message>
        <source>Step (kHz)</source>
        <translation>步进 (kHz)</translation>
    </message>
    <message>
        <source>The first frequency &apos;%1&apos; is not a number of MHz.</source>
        <translation>起始频率“%1”不是以 MHz 为单位的数字。</translation>
    </message>
    <message>
        <source>The step &apos;%1&apos; is not a number of kHz.</source>
        <translation>步进“%1”不是以 kHz 为单位的数字。</translation>
    </message>
    <message>
        <source>The offset &apos;%1&apos; is not a number of MHz.</source>
        <translation>频差“%1”不是以 MHz 为单位的数字。</translation>
    </message>
</context>
<context>
    <name>zev::Frequency</name>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>&apos;%1&apos; 不是有效的浮点数值</translation>
    </message>
    <message>
        <source>the frequency %1 MHz is outside %2-%3 MHz</source>
        <translation>频率 %1 MHz 超出 %2-%3 MHz</translation>
    </message>
    <message>
        <source>%1 MHz is not on a channel; taken as %2 MHz</source>
        <translation>%1 MHz 不在信道上；取为 %2 MHz</translation>
    </message>
</context>
<context>
    <name>zev::MainWindow</name>
    <message>
        <source>Channel lists (*.csv *.txt);;All files (*)</source>
        <translation>信道列表 (*.csv *.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Copy rows</source>
        <translation>复制行</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>导出 CSV…</translation>
    </message>
    <message>
        <source>Import CSV…</source>
        <translation>导入 CSV…</translation>
    </message>
    <message>
        <source>Paste rows</source>
        <translation>粘贴行</translation>
    </message>
    <message>
        <source>%1 (not present)</source>
        <translation>%1（未连接）</translation>
    </message>
    <message>
        <source>%1 (present as %2)</source>
        <translation>%1（已连接，即 %2）</translation>
    </message>
    <message>
        <source>%1 (present)</source>
        <translation>%1（已连接）</translation>
    </message>
    <message>
        <source>No device is set</source>
        <translation>未设置设备</translation>
    </message>
    <message>
        <source>Port devices…</source>
        <translation>端口设备…</translation>
    </message>
    <message>
        <source>Compare with radio...</source>
        <translation>与电台比较...</translation>
    </message>
    <message>
        <source>Back up the radio before writing</source>
        <translation>写频前备份电台</translation>
    </message>
    <message>
        <source>Verify after writing</source>
        <translation>写频后校验</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>打印...</translation>
    </message>
    <message>
        <source>Export PDF...</source>
        <translation>导出 PDF...</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>The channel plan has changes that have not been saved. Save them?</source>
        <translation>信道方案有尚未保存的更改。是否保存？</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 已存在。要替换它吗？</translation>
    </message>
    <message>
        <source>The file is open, but the radio would refuse it until these are corrected:</source>
        <translation>文件已打开，但在改正以下各项之前电台会拒绝它：</translation>
    </message>
    <message>
        <source>Set for selected rows…</source>
        <translation>设置所选行…</translation>
    </message>
    <message>
        <source>Fill frequencies…</source>
        <translation>填充频率…</translation>
    </message>
    <message>
        <source>Write to several radios…</source>
        <translation>写入多台电台…</translation>
    </message>
    <message>
        <source>New from stock list…</source>
        <translation>从常用信道表新建…</translation>
    </message>
    <message>
        <source>Write history…</source>
        <translation>写频记录…</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外观</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
</context>
<context>
    <name>zev::PlanCompare</name>
    <message>
        <source>(empty)</source>
        <translation>（空）</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 处</translation>
    </message>
</context>
<context>
    <name>zev::PlanModel</name>
    <message>
        <source>Channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>Channel %1, %2</source>
        <translation>信道 %1，%2</translation>
    </message>
    <message>
        <source>Channel %1, %2, %3</source>
        <translation>信道 %1，%2，%3</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>空</translation>
    </message>
</context>
<context>
    <name>zev::PortDevicesDialog</name>
    <message>
        <source>Adapter</source>
        <translation>适配器</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Port devices</source>
        <translation>端口设备</translation>
    </message>
    <message>
        <source>Serial ports present:</source>
        <translation>当前存在的串口：</translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation>固定名称</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>USB id</source>
        <translation>USB 标识</translation>
    </message>
    <message>
        <source>free</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>已消失</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>被占用</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>无权限</translation>
    </message>
    <message>
        <source>Check the connection…</source>
        <translation>检查连接…</translation>
    </message>
    <message>
        <source>Looks at the port selected in the list, or else at the device of the COM port in use, and asks the radio who it is; nothing is written to it.</source>
        <translation>检查列表中选中的端口（未选中时检查当前 COM 口的设备），并询问对讲机的身份；不会向它写入任何内容。</translation>
    </message>
    <message>
        <source>Checking %1…</source>
        <translation>正在检查 %1…</translation>
    </message>
</context>
<context>
    <name>zev::PortDiagnosis</name>
    <message>
        <source>%1 %2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>No device is set.</source>
        <translation>未设置设备。</translation>
    </message>
    <message>
        <source>There is no serial device %1.</source>
        <translation>没有串口设备 %1。</translation>
    </message>
    <message>
        <source>If the cable is plugged in, its device may have vanished right after it appeared: brltty, the braille display service, claims some USB serial adapters. Remove it with %1 (or disable it with %2), then plug the cable in again.</source>
        <translation>如果写频线已插上，其设备可能刚出现就消失了：盲文显示服务 brltty 会占用某些 USB 串口适配器。请用 %1 卸载它（或用 %2 禁用它），然后重新插上写频线。</translation>
    </message>
    <message>
        <source>%1 is locked by the file %2, which a program that no longer runs left behind. Remove it with %3 and try again.</source>
        <translation>%1 被文件 %2 锁定，这是一个已不再运行的程序留下的。请用 %3 删除它，然后重试。</translation>
    </message>
    <message>
        <source>Another program is using %1. Close it and try again; if the cable was just plugged in, ModemManager may be probing it for a few seconds.</source>
        <translation>另一个程序正在使用 %1。请关闭该程序后重试；如果写频线刚刚插上，可能是 ModemManager 正在探测它，需要几秒钟。</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>另一个程序</translation>
    </message>
    <message>
        <source>%1 is in use by %2 (process %3).</source>
        <translation>%1 正被 %2（进程 %3）占用。</translation>
    </message>
    <message>
        <source>ModemManager probes every new serial adapter for a few seconds after it is plugged in: wait and try again. To keep it away from the cable for good, install the udev rule 60-zev4800.rules (see the README), or stop it with %1.</source>
        <translation>ModemManager 会在每个新串口适配器插上后的几秒钟内探测它：请稍候再试。要让它永久不碰写频线，请安装 udev 规则 60-zev4800.rules（见 README），或用 %1 停止它。</translation>
    </message>
    <message>
        <source>Close that program and try again.</source>
        <translation>请关闭该程序后重试。</translation>
    </message>
    <message>
        <source>Permission denied on %1: your user is not in the group %2 that owns it. Join the group with %3; this takes effect at your next login.</source>
        <translation>没有访问 %1 的权限：您的用户不在拥有该设备的 %2 组中。请用 %3 加入该组；下次登录后生效。</translation>
    </message>
    <message>
        <source>%1 is locked by %2, which names no running program. If no other program is using the port, remove %2 and try again.</source>
        <translation>%1 被 %2 锁定，该锁文件没有指明正在运行的程序。如果没有其他程序在使用该端口，请删除 %2 后重试。</translation>
    </message>
</context>
<context>
    <name>zev::PortList</name>
    <message>
        <source>No port is given.</source>
        <translation>未指定端口。</translation>
    </message>
    <message>
        <source>No USB serial adapter is present, and no other serial port either: plug in the cable.</source>
        <translation>没有 USB 串口适配器，也没有其他串口：请插上写频线。</translation>
    </message>
    <message>
        <source>No USB serial adapter is present: plug in the cable, or name one of these ports:
%1</source>
        <translation>没有 USB 串口适配器：请插上写频线，或指定以下端口之一：
%1</translation>
    </message>
    <message>
        <source>Several USB serial adapters are present; name the one to use:
%1</source>
        <translation>有多个 USB 串口适配器；请指定要使用的一个：
%1</translation>
    </message>
</context>
<context>
    <name>zev::Power</name>
    <message>
        <source>Enter the %1 (0 to %2).</source>
        <translation>请输入%1（0 到 %2）。</translation>
    </message>
    <message>
        <source>The %1 &apos;%2&apos; is not a number from 0 to %3.</source>
        <translation>%1 &apos;%2&apos; 不是 0 到 %3 之间的数字。</translation>
    </message>
    <message>
        <source>The %1 %2 is above %3.</source>
        <translation>%1 %2 大于 %3。</translation>
    </message>
    <message>
        <source>high-power level</source>
        <translation>高功率电平</translation>
    </message>
    <message>
        <source>low-power level</source>
        <translation>低功率电平</translation>
    </message>
    <message>
        <source>Choose a low-voltage level (0, 1 or 2).</source>
        <translation>请选择低电压等级（0、1 或 2）。</translation>
    </message>
    <message>
        <source>The radio&apos;s power calibration reply has %1 bytes, not %2: nothing was read.</source>
        <translation>电台的功率校准应答有 %1 个字节，而不是 %2 个：未读取任何数据。</translation>
    </message>
    <message>
        <source>The radio&apos;s power calibration block is erased or invalid (%1): its low-voltage level is not 0, 1 or 2.</source>
        <translation>电台的功率校准数据块已擦除或无效（%1）：其低电压等级不是 0、1 或 2。</translation>
    </message>
    <message>
        <source>Power levels must be 0 to %1 and the low-voltage level 0 to 2.</source>
        <translation>功率电平必须为 0 到 %1，低电压等级必须为 0 到 2。</translation>
    </message>
</context>
<context>
    <name>zev::RadioLink</name>
    <message>
        <source>the serial line failed</source>
        <translation>串口线路出错</translation>
    </message>
    <message>
        <source>the port %1 is not open</source>
        <translation>端口 %1 未打开</translation>
    </message>
</context>
<context>
    <name>zev::RadioProcedures</name>
    <message>
        <source>Nothing in the window was changed: the channels, the options and the band are as they were before the read.</source>
        <translation>窗口中的内容没有任何改变：信道、功能选项和频段均保持读频前的状态。</translation>
    </message>
</context>
<context>
    <name>zev::RowEdit</name>
    <message>
        <source>Channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a tone of the list: a CTCSS tone such as 88.5, a DCS code such as D023N, or OFF</source>
        <translation>“%1”不是列表中的亚音：应为 CTCSS 亚音（如 88.5）、DCS 数字亚音（如 D023N）或 OFF</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a channel from 1 to 16 or a range such as 1-4</source>
        <translation>“%1”不是 1 到 16 的信道或 1-4 这样的范围</translation>
    </message>
</context>
<context>
    <name>zev::SerialPort</name>
    <message>
        <source>No device is set for COM%1</source>
        <translation>没有为 COM%1 设置设备</translation>
    </message>
    <message>
        <source>Cannot open %1 (COM%2): %3</source>
        <translation>无法打开 %1（COM%2）：%3</translation>
    </message>
    <message>
        <source>The connection on %1 (COM%2) was lost: the device is gone or no longer answers</source>
        <translation>%1（COM%2）上的连接已断开：设备已不存在或不再应答</translation>
    </message>
</context>
<context>
    <name>zev::Session</name>
    <message>
        <source>The read from the radio was stopped before it finished.</source>
        <translation>读频在完成前已被中止。</translation>
    </message>
    <message>
        <source>The write to the radio was stopped before anything was written; the radio keeps its plan.</source>
        <translation>写频在写入任何数据前已被中止；对讲机保留原有设置。</translation>
    </message>
    <message>
        <source>The write to the radio was stopped before it finished. The radio now holds a partly written plan: write the plan again.</source>
        <translation>写频在完成前已被中止。对讲机现在只写入了部分设置：请重新写频。</translation>
    </message>
    <message>
        <source>the radio did not acknowledge the handshake</source>
        <translation>对讲机没有确认握手</translation>
    </message>
    <message>
        <source>the radio on %1 did not identify itself as an RH-4800 after %2 attempts (last reply %3)</source>
        <translation>%1 上的对讲机在 %2 次尝试后仍未识别为 RH-4800（最后应答 %3）</translation>
    </message>
    <message>
        <source>no answer from the radio on %1 after %2 attempts</source>
        <translation>%1 上的对讲机在 %2 次尝试后仍无应答</translation>
    </message>
    <message>
        <source>the second half of channel %1</source>
        <translation>信道 %1 的后半部分</translation>
    </message>
    <message>
        <source>the first half of channel %1</source>
        <translation>信道 %1 的前半部分</translation>
    </message>
    <message>
        <source>the band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>the band read</source>
        <translation>频段读取</translation>
    </message>
    <message>
        <source>the options</source>
        <translation>功能选项</translation>
    </message>
    <message>
        <source>the start of the read</source>
        <translation>读频开始</translation>
    </message>
    <message>
        <source>the start of the write</source>
        <translation>写频开始</translation>
    </message>
    <message>
        <source>the power levels</source>
        <translation>功率电平</translation>
    </message>
    <message>
        <source>another radio session is running</source>
        <translation>另一个对讲机会话正在进行</translation>
    </message>
    <message>
        <source>no reply to the read of %1</source>
        <translation>读取%1时没有应答</translation>
    </message>
    <message>
        <source>the reply to the read of %1 has %2 bytes, not %3 (%4)</source>
        <translation>读取%1的应答有 %2 个字节，而不是 %3 个（%4）</translation>
    </message>
    <message>
        <source>the radio did not acknowledge %1</source>
        <translation>对讲机没有确认%1</translation>
    </message>
</context>
<context>
    <name>zev::SetRowsDialog</name>
    <message>
        <source>Set for selected rows</source>
        <translation>设置所选行</translation>
    </message>
    <message>
        <source>TX tone as RX tone</source>
        <translation>发射亚音同接收亚音</translation>
    </message>
    <message>
        <source>Used channels among %1</source>
        <translation>%1 中已使用的信道</translation>
    </message>
    <message>
        <source>(unchanged)</source>
        <translation>（不变）</translation>
    </message>
</context>
<context>
    <name>zev::Settings</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>Cannot store [%1] %2 in %3: the name or value does not fit on an INI line</source>
        <translation>无法把 [%1] %2 保存到 %3：名称或数值不能写成设置文件的一行</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>无法打开文件“%1”。%2</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>列表索引越界 (%1)</translation>
    </message>
</context>
<context>
    <name>zev::SeveralRadiosDialog</name>
    <message>
        <source>Write to several radios</source>
        <translation>写入多台电台</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Tick the radios to write the current plan to:</source>
        <translation>勾选要写入当前信道表的电台：</translation>
    </message>
    <message>
        <source>No serial ports are present.</source>
        <translation>没有串口。</translation>
    </message>
    <message>
        <source>Tick at least one radio.</source>
        <translation>请至少勾选一台电台。</translation>
    </message>
    <message numerus="yes">
        <source>Writing to %n radio(s)...</source>
        <translation>
            <numerusform>正在写入 %n 台电台...</numerusform>
        </translation>
    </message>
    <message>
        <source>backing up</source>
        <translation>正在备份</translation>
    </message>
    <message>
        <source>writing</source>
        <translation>正在写入</translation>
    </message>
    <message>
        <source>verifying</source>
        <translation>正在校验</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>已校验</translation>
    </message>
    <message>
        <source>written, not checked</source>
        <translation>已写入，未校验</translation>
    </message>
    <message>
        <source>stopped: %1</source>
        <translation>已停止：%1</translation>
    </message>
    <message>
        <source>backup %1</source>
        <translation>备份 %1</translation>
    </message>
    <message>
        <source>%1 of %2 radios written.</source>
        <translation>已写入 %1/%2 台电台。</translation>
    </message>
</context>
<context>
    <name>zev::StockListDialog</name>
    <message>
        <source>New from stock list</source>
        <translation>从常用信道表新建</translation>
    </message>
    <message>
        <source>&amp;Channel lists:</source>
        <translation>信道表(&amp;C)：</translation>
    </message>
    <message>
        <source>%1 (%2, %3 channels)</source>
        <translation>%1（%2，%3 个信道）</translation>
    </message>
    <message>
        <source>&amp;First entry:</source>
        <translation>起始条目(&amp;F)：</translation>
    </message>
    <message>
        <source>The entry of the list that becomes channel 1</source>
        <translation>成为信道 1 的表中条目</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Every channel lies in the band %1.</source>
        <translation>所有信道都在频段 %1 内。</translation>
    </message>
    <message>
        <source>Not held exactly:</source>
        <translation>无法精确保存：</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>outside</source>
        <translation>频段外</translation>
    </message>
    <message>
        <source>%1 of these channels lie outside the band %2; they are kept, and Write warns about them.</source>
        <translation>其中 %1 个信道超出频段 %2；这些信道仍保留，写频时会提示。</translation>
    </message>
</context>
<context>
    <name>zev::StockLists</name>
    <message>
        <source>Europe</source>
        <translation>欧洲</translation>
    </message>
    <message>
        <source>409 MHz public band</source>
        <translation>409 MHz 公众对讲频段</translation>
    </message>
    <message>
        <source>China</source>
        <translation>中国</translation>
    </message>
    <message>
        <source>United States</source>
        <translation>美国</translation>
    </message>
    <message>
        <source>NOAA weather radio</source>
        <translation>NOAA 气象广播</translation>
    </message>
    <message>
        <source>United States and Canada</source>
        <translation>美国和加拿大</translation>
    </message>
    <message>
        <source>Marine VHF</source>
        <translation>海事甚高频</translation>
    </message>
    <message>
        <source>International</source>
        <translation>国际</translation>
    </message>
    <message>
        <source>%1 channel %2</source>
        <translation>%1 信道 %2</translation>
    </message>
    <message>
        <source>%1 has %2 channels and starts at its first, not at %3</source>
        <translation>%1 有 %2 个信道，只能从第一个开始，不能从 %3 开始</translation>
    </message>
    <message>
        <source>%1 has %2 channels and starts at one from 1 to %3, not at %4</source>
        <translation>%1 有 %2 个信道，可从 1 至 %3 中的一个开始，不能从 %4 开始</translation>
    </message>
</context>
<context>
    <name>zev::TransferDialog</name>
    <message>
        <source>Finished successfully.</source>
        <translation>成功完成。</translation>
    </message>
    <message>
        <source>Failed.</source>
        <translation>失败。</translation>
    </message>
    <message>
        <source>Not started.</source>
        <translation>未开始。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>已停止。</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Reading from the radio...</source>
        <translation>正在读取电台...</translation>
    </message>
</context>
<context>
    <name>zev::Vocabulary</name>
    <message>
        <source>RX Freq</source>
        <translation>接收频率</translation>
    </message>
    <message>
        <source>RX Tone</source>
        <translation>接收亚音</translation>
    </message>
    <message>
        <source>TX Freq</source>
        <translation>发射频率</translation>
    </message>
    <message>
        <source>TX Tone</source>
        <translation>发射亚音</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Scan Add</source>
        <translation>扫描加入</translation>
    </message>
    <message>
        <source>Busy Lock</source>
        <translation>繁忙锁定</translation>
    </message>
    <message>
        <source>Squelch level</source>
        <translation>静噪电平</translation>
    </message>
    <message>
        <source>Battery save</source>
        <translation>电池省电</translation>
    </message>
    <message>
        <source>Time-out timer</source>
        <translation>超时禁发</translation>
    </message>
    <message>
        <source>Voice prompt</source>
        <translation>语音通知</translation>
    </message>
    <message>
        <source>Key beep</source>
        <translation>提示音</translation>
    </message>
    <message>
        <source>Alarm key</source>
        <translation>报警按键</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描允许</translation>
    </message>
</context>
<context>
    <name>zev::WriteCheck</name>
    <message>
        <source>%1: %2 &apos;%3&apos; is not a frequency</source>
        <translation>%1：%2 &apos;%3&apos; 不是有效的频率</translation>
    </message>
    <message>
        <source>%1: %2 &apos;%3&apos; is not a tone</source>
        <translation>%1：%2 &apos;%3&apos; 不是有效的亚音</translation>
    </message>
    <message>
        <source>%1: %2 &apos;%3&apos; is not a power word</source>
        <translation>%1：%2 &apos;%3&apos; 不是有效的功率值</translation>
    </message>
    <message>
        <source>%1: %2 &apos;%3&apos; is not an on/off word</source>
        <translation>%1：%2 &apos;%3&apos; 不是有效的开关值</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>信道 %1</translation>
    </message>
    <message>
        <source>%1: %2 is empty</source>
        <translation>%1：%2 为空</translation>
    </message>
    <message>
        <source>Channel %1: the line is missing</source>
        <translation>信道 %1：缺少这一行</translation>
    </message>
</context>
<context>
    <name>zev::WriteDialog</name>
    <message>
        <source>These channels lie outside the band %1 of the selected model:</source>
        <translation>以下信道超出所选型号的频段 %1：</translation>
    </message>
    <message>
        <source>The radio may not work on these frequencies. Write anyway?</source>
        <translation>对讲机可能无法在这些频率上工作。仍要写频吗？</translation>
    </message>
    <message>
        <source>Outside the band</source>
        <translation>超出频段</translation>
    </message>
    <message>
        <source>Backing up the radio...</source>
        <translation>正在备份电台...</translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation>正在写入...</translation>
    </message>
    <message>
        <source>Checking what the radio holds...</source>
        <translation>正在核对电台内容...</translation>
    </message>
    <message>
        <source>Backup: %1</source>
        <translation>备份：%1</translation>
    </message>
    <message>
        <source>No backup of the radio could be made, so nothing was written.</source>
        <translation>无法备份电台，因此没有写入任何内容。</translation>
    </message>
    <message>
        <source>To write without a backup, turn off &quot;Back up the radio before writing&quot; in the Options menu.</source>
        <translation>如需不备份直接写入，请在“选项”菜单中关闭“写频前备份电台”。</translation>
    </message>
    <message>
        <source>The write went through, but the radio does not hold what was written:</source>
        <translation>写入已完成，但电台中的内容与写入的不一致：</translation>
    </message>
    <message>
        <source>The write went through, but the radio could not be read back to check it.</source>
        <translation>写入已完成，但无法读回电台进行核对。</translation>
    </message>
    <message>
        <source>Write not confirmed</source>
        <translation>写入未经确认</translation>
    </message>
    <message>
        <source>Nothing written</source>
        <translation>未写入</translation>
    </message>
</context>
<context>
    <name>zev::WriteHistoryDialog</name>
    <message>
        <source>Write history</source>
        <translation>写频记录</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>从：</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到：</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>方案</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Open plan</source>
        <translation>打开方案</translation>
    </message>
    <message>
        <source>Open backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>Print receipt...</source>
        <translation>打印回执...</translation>
    </message>
    <message>
        <source>Export receipt PDF...</source>
        <translation>导出回执 PDF...</translation>
    </message>
    <message>
        <source>All devices</source>
        <translation>全部设备</translation>
    </message>
</context>
<context>
    <name>zev::WriteJob</name>
    <message>
        <source>The backup read was stopped before it finished. Nothing was written to the radio.</source>
        <translation>备份读取在完成前已被中止。没有向对讲机写入任何内容。</translation>
    </message>
    <message>
        <source>The check of the write was stopped before it finished: the plan was written but not read back.</source>
        <translation>写频检查在完成前已被中止：设置已写入，但没有读回核对。</translation>
    </message>
    <message>
        <source>The radio does not hold what was written:</source>
        <translation>对讲机保存的内容与写入的不同：</translation>
    </message>
</context>
<context>
    <name>zev::WriteLog</name>
    <message>
        <source>The write was not recorded in the write log: %1</source>
        <translation>本次写频未能记入写频记录：%1</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>已写入并核对</translation>
    </message>
    <message>
        <source>written, not verified</source>
        <translation>已写入，未核对</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已中止</translation>
    </message>
    <message>
        <source>The write was stopped before it ended.</source>
        <translation>写频在结束前已被中止。</translation>
    </message>
    <message>
        <source>No backup of the radio could be made, so nothing was written: %1</source>
        <translation>无法备份电台，因此没有写入任何内容：%1</translation>
    </message>
    <message>
        <source>The write went through, but the radio could not be read back to check it: %1</source>
        <translation>已写入，但无法回读电台进行核对：%1</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>The write log cannot be read: %1</source>
        <translation>无法读取写频记录：%1</translation>
    </message>
    <message>
        <source>Line %1 of the write log %2 is damaged and was left out.</source>
        <translation>写频记录 %2 的第 %1 行已损坏，已略过。</translation>
    </message>
    <message>
        <source>The write log %1 is larger than %2 MiB; only its first %2 MiB were read.</source>
        <translation>写频记录 %1 大于 %2 MiB；只读取了其前 %2 MiB。</translation>
    </message>
    <message>
        <source>No write in the write log %1 has the time %2.</source>
        <translation>写频记录 %1 中没有时间为 %2 的写频。</translation>
    </message>
    <message>
        <source>%1 writes in the write log %2 have the time %3; a receipt needs one.</source>
        <translation>写频记录 %2 中有 %1 次写频的时间为 %3；回执只能对应一次。</translation>
    </message>
    <message>
        <source>%1 does not hold the plan written at %2: the SHA-256 of its plan is not the logged %3. It has changed since, or another language&apos;s words were written.</source>
        <translation>%1 中不是 %2 写入的方案：其方案的 SHA-256 不是记录中的 %3。文件在此后已被修改，或写入时用的是另一种语言的词。</translation>
    </message>
</context>
<context>
    <name>zev::WrittenBytes</name>
    <message>
        <source>channel %1 %2</source>
        <translation>信道 %1 %2</translation>
    </message>
    <message>
        <source>lower band edge</source>
        <translation>频段下限</translation>
    </message>
    <message>
        <source>upper band edge</source>
        <translation>频段上限</translation>
    </message>
    <message>
        <source>the block at %1</source>
        <translation>%1 处的数据块</translation>
    </message>
    <message>
        <source>%1: wrote %2, radio holds %3</source>
        <translation>%1：写入 %2，对讲机保存的是 %3</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 处</translation>
    </message>
</context>
<context>
    <name>zev::cli::CommandLine</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>未知选项“%1”</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>%1 belongs to %2</source>
        <translation>%1 只用于 %2</translation>
    </message>
    <message>
        <source>%1 takes no %2</source>
        <translation>%1 不接受 %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>多余的参数“%1”</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>必须给出 %1</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>用法：</translation>
    </message>
    <message>
        <source>Programs an RH-4800 radio through its programming cable.</source>
        <translation>通过写频线为 RH-4800 对讲机编程。</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>With several --port options, read and write work on all the radios at once, each on its own; a table of port, result and time follows, and the exit status is 0 only when every radio succeeded.</source>
        <translation>给出多个 --port 选项时，read 和 write 同时对所有对讲机分别进行操作；随后列出端口、结果和用时的表格，只有每台对讲机都成功时退出状态才为 0。</translation>
    </message>
    <message>
        <source>Ctrl-C stops a read or write at its next step and takes the radio out of programming mode; a second Ctrl-C, or SIGTERM, ends the program at once.</source>
        <translation>Ctrl-C 在下一步停止读频或写频，并使对讲机退出编程模式；再按一次 Ctrl-C 或收到 SIGTERM 时程序立即结束。</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 the command failed (radio, file or plan), 2 bad usage.</source>
        <translation>退出状态：0 成功，1 命令失败（对讲机、文件或信道设置），2 用法错误。</translation>
    </message>
    <message>
        <source>diff: 0 the plans are equal, 1 they differ, 2 an error.</source>
        <translation>diff：0 两份设置相同，1 有差异，2 出错。</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>没有给出命令</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>未知命令“%1”</translation>
    </message>
    <message>
        <source>--lang takes english or chinese, not &apos;%1&apos;</source>
        <translation>--lang 的值应为 english 或 chinese，而不是“%1”</translation>
    </message>
    <message>
        <source>--band takes a band such as 136-174MHz, not &apos;%1&apos;</source>
        <translation>--band 的值应为频段（例如 136-174MHz），而不是“%1”</translation>
    </message>
    <message>
        <source>The cable&apos;s port: a device (/dev/ttyUSB0), its stable name in /dev/serial/by-id, COM1 to COM4 as myini.ini maps them, or auto for the one USB serial adapter present.</source>
        <translation>写频线所在的端口：设备（/dev/ttyUSB0）、它在 /dev/serial/by-id 中的固定名称、按 myini.ini 映射的 COM1 至 COM4，或 auto（表示当前唯一的 USB 串口适配器）。</translation>
    </message>
    <message>
        <source>read: save each radio&apos;s plan as DIR/DEVICE.z81, DEVICE being the port&apos;s path below /dev (ttyUSB0, pts-7).</source>
        <translation>read：将每台对讲机的设置保存为 DIR/DEVICE.z81，DEVICE 为端口在 /dev 下的路径（ttyUSB0、pts-7）。</translation>
    </message>
    <message>
        <source>Write every frame to FILE: elapsed ms, &apos;&gt;&apos; sent or &apos;&lt;&apos; received, bytes in hex.</source>
        <translation>将每一帧写入 FILE：经过的毫秒数、“&gt;”发送或“&lt;”接收、十六进制字节。</translation>
    </message>
    <message>
        <source>Show progress on stderr (the default when stderr is a terminal).</source>
        <translation>在标准错误输出上显示进度（标准错误输出为终端时的默认设置）。</translation>
    </message>
    <message>
        <source>write: do not read and keep the radio&apos;s plan first.</source>
        <translation>write：写入前不读取并保存对讲机原有的设置。</translation>
    </message>
    <message>
        <source>write: keep backups in DIR (default $XDG_DATA_HOME/zev4800/backups; the newest 100 are kept).</source>
        <translation>write：将备份保存在 DIR 中（默认为 $XDG_DATA_HOME/zev4800/backups；保留最新的 100 个）。</translation>
    </message>
    <message>
        <source>write: do not read the radio back after the write.</source>
        <translation>write：写入后不回读对讲机。</translation>
    </message>
    <message>
        <source>import: the first 16 rows with a frequency become channels 1 to 16, whatever their Location.</source>
        <translation>import：前 16 个有频率的行依次成为信道 1 至 16，不论其 Location 为何。</translation>
    </message>
    <message>
        <source>import: save the other rows when some cannot be held.</source>
        <translation>import：部分行无法保存时，仍保存其余各行。</translation>
    </message>
    <message>
        <source>Show this text.</source>
        <translation>显示本说明。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>显示版本。</translation>
    </message>
    <message>
        <source>no channel file given</source>
        <translation>没有给出信道文件</translation>
    </message>
    <message>
        <source>--trace takes one --port</source>
        <translation>--trace 只能用于一个 --port</translation>
    </message>
    <message>
        <source>a read from several radios needs --output-dir, not --output</source>
        <translation>从多台对讲机读频需要使用 --output-dir，而不是 --output</translation>
    </message>
    <message>
        <source>--output and --output-dir exclude each other</source>
        <translation>--output 与 --output-dir 不能同时使用</translation>
    </message>
    <message>
        <source>only read and write take several --port</source>
        <translation>只有 read 和 write 接受多个 --port</translation>
    </message>
    <message>
        <source>Read the radio&apos;s band, channels and options and save them as a channel file. A failed read writes no file.</source>
        <translation>读取对讲机的频段、信道和功能选项，并保存为信道文件。读频失败时不写入任何文件。</translation>
    </message>
    <message>
        <source>Write a channel file (band, options and 16 channels) to the radio. The whole plan is checked first; a plan with faults is refused and nothing is sent. A channel outside the file&apos;s band is written with a warning. First the radio is read and its plan saved as a backup (the path is printed); after the write the radio is read back and compared with the file, and any difference fails the write.</source>
        <translation>将信道文件（频段、功能选项和 16 个信道）写入对讲机。先检查全部设置；有错误的设置将被拒绝，不发送任何内容。超出文件频段的信道会在警告后写入。写入前先读取对讲机并将其设置保存为备份（会显示路径）；写入后回读对讲机并与文件比较，任何差异都会使写频失败。</translation>
    </message>
    <message>
        <source>Print a channel file as a table, then list on stderr, by line, what in it the radio would refuse (exit status 1 when there is any).</source>
        <translation>以表格形式显示信道文件，然后在标准错误输出上按行列出其中对讲机会拒绝的内容（有此类内容时退出状态为 1）。</translation>
    </message>
    <message>
        <source>Print every cell, option and band in which two channel files differ, or (with --port) the file and the radio, as &apos;CH03 RX Freq: A -&gt; B&apos;. Words of either language compare by meaning.</source>
        <translation>以“CH03 RX Freq: A -&gt; B”的形式列出两个信道文件（或使用 --port 时文件与对讲机）之间不同的每个单元格、功能选项和频段。两种语言的词语按含义比较。</translation>
    </message>
    <message>
        <source>diff needs two channel files, or --port PORT and one</source>
        <translation>diff 需要两个信道文件，或 --port PORT 和一个信道文件</translation>
    </message>
    <message>
        <source>Save the used channels of a channel file as a CSV channel list, one row per channel, Location being the channel number.</source>
        <translation>将信道文件中已使用的信道保存为 CSV 信道列表，每个信道一行，Location 为信道号。</translation>
    </message>
    <message>
        <source>export needs a channel file and a CSV file</source>
        <translation>export 需要一个信道文件和一个 CSV 文件</translation>
    </message>
    <message>
        <source>Make a channel file from a CSV channel list (&apos;,&apos; or &apos;;&apos; separated, UTF-8): each row goes to the channel its Location names. Rows the radio cannot hold are listed by row number and nothing is saved, unless --skip-bad-rows. Lists over 1 MiB are refused.</source>
        <translation>由 CSV 信道列表（以“,”或“;”分隔，UTF-8）生成信道文件：每一行放入其 Location 所指的信道。对讲机无法保存的行按行号列出，且不保存任何内容，除非使用 --skip-bad-rows。超过 1 MiB 的列表将被拒绝。</translation>
    </message>
    <message>
        <source>import needs a CSV file and a channel file</source>
        <translation>import 需要一个 CSV 文件和一个信道文件</translation>
    </message>
    <message>
        <source>List the serial ports present: device, stable name, adapter, USB id, whether it is in use, and the COM port the settings map to it.</source>
        <translation>列出现有的串口：设备、固定名称、适配器、USB ID、是否被占用，以及设置中映射到它的 COM 端口。</translation>
    </message>
    <message>
        <source>Write a channel file as a one-page A4 PDF to print: band, options and the 16 channels, in the language of --lang.</source>
        <translation>将信道文件写成一页 A4 PDF 以便打印：频段、功能选项和 16 个信道，使用 --lang 指定的语言。</translation>
    </message>
    <message>
        <source>sheet needs a channel file and a PDF file</source>
        <translation>sheet 需要一个信道文件和一个 PDF 文件</translation>
    </message>
    <message>
        <source>Channel file to save to (replaced if it exists): read saves the radio&apos;s plan there; set saves the changed plan there and leaves FILE.z81 as it is.</source>
        <translation>保存到的信道文件（已存在则替换）：read 把电台的信道表存在这里；set 把修改后的信道表存在这里，FILE.z81 保持不变。</translation>
    </message>
    <message>
        <source>--%1 takes %2 or %3, not &apos;%4&apos;</source>
        <translation>--%1 只能是 %2 或 %3，不能是“%4”</translation>
    </message>
    <message>
        <source>set: the channels to change, such as 1-4,7,9.</source>
        <translation>set：要修改的信道，如 1-4,7,9。</translation>
    </message>
    <message>
        <source>set: RX and TX tone: a CTCSS tone such as 88.5, a DCS code such as D023N, or OFF.</source>
        <translation>set：接收和发射亚音：CTCSS 亚音（如 88.5）、DCS 数字亚音（如 D023N）或 OFF。</translation>
    </message>
    <message>
        <source>set: the RX tone alone.</source>
        <translation>set：只设置接收亚音。</translation>
    </message>
    <message>
        <source>set: the TX tone alone.</source>
        <translation>set：只设置发射亚音。</translation>
    </message>
    <message>
        <source>set: the power.</source>
        <translation>set：功率。</translation>
    </message>
    <message>
        <source>set: Scan Add.</source>
        <translation>set：扫描添加。</translation>
    </message>
    <message>
        <source>set: Busy Lock.</source>
        <translation>set：遇忙禁发。</translation>
    </message>
    <message>
        <source>set: RX = TX frequency of the first channel listed; each next one a --step higher. Unused channels get the new-channel defaults.</source>
        <translation>set：所列第一个信道的接收 = 发射频率；其后每个信道高一个 --step。未使用的信道取新信道的默认值。</translation>
    </message>
    <message>
        <source>set: the step between channels, such as 12.5 or 25.</source>
        <translation>set：信道间的步进，如 12.5 或 25。</translation>
    </message>
    <message>
        <source>set: TX = RX plus this offset, such as -5 or +0.6.</source>
        <translation>set：发射 = 接收加上此频差，如 -5 或 +0.6。</translation>
    </message>
    <message>
        <source>--tone excludes --rx-tone and --tx-tone</source>
        <translation>--tone 不能与 --rx-tone 和 --tx-tone 同用</translation>
    </message>
    <message>
        <source>--frequency and --step go together</source>
        <translation>--frequency 和 --step 须一起使用</translation>
    </message>
    <message>
        <source>--offset needs --frequency and --step</source>
        <translation>--offset 需要 --frequency 和 --step</translation>
    </message>
    <message>
        <source>set needs something to set: a tone, --power, --scan-add, --busy-lock or --frequency with --step</source>
        <translation>set 需要设置内容：亚音、--power、--scan-add、--busy-lock，或 --frequency 加 --step</translation>
    </message>
    <message>
        <source>Set tones, power, Scan Add or Busy Lock on every used channel listed, or fill the listed channels&apos; frequencies from a start and a step, in a channel file. Changes the file in place (replaced whole, never half written) unless --output is given, and prints the changed cells as diff does. A value the channel editor would refuse is refused, naming the channel, and nothing is saved.</source>
        <translation>在信道文件中为所列的每个已使用信道设置亚音、功率、扫描添加或遇忙禁发，或从起始频率按步进填充所列信道的频率。除非给出 --output，否则直接修改该文件（整体替换，绝不写一半），并像 diff 一样打印改动的单元格。信道编辑器会拒绝的值同样被拒绝，并指明信道，什么也不保存。</translation>
    </message>
    <message>
        <source>--%1 takes a number, not &apos;%2&apos;</source>
        <translation>--%1 须为数字，不能是“%2”</translation>
    </message>
    <message>
        <source>set refused, nothing was saved: %1</source>
        <translation>set 被拒绝，未保存任何内容：%1</translation>
    </message>
    <message>
        <source>clone: the master radio&apos;s port, named as --port is.</source>
        <translation>clone：母机电台的端口，写法同 --port。</translation>
    </message>
    <message>
        <source>clone: a radio to write the master&apos;s plan to; give one --to for each.</source>
        <translation>clone：要写入母机信道表的电台；每台给一个 --to。</translation>
    </message>
    <message>
        <source>Read the master radio and keep its plan as a backup file (the path is printed), then write that plan to every --to radio at once, each with its own backup and verification as write does, and print the same table. A master that cannot be read writes nothing.</source>
        <translation>读取母机电台并把它的信道表保存为备份文件（打印其路径），然后同时写入每台 --to 电台，每台都像 write 一样各自备份和校验，并打印同样的表格。母机读取失败时不写入任何电台。</translation>
    </message>
    <message>
        <source>--from takes a number, not &apos;%1&apos;</source>
        <translation>--from 需要一个数字，而不是“%1”</translation>
    </message>
    <message>
        <source>import, stock: the band of the channel file (default 136-174MHz).</source>
        <translation>import、stock：信道文件的频段（默认为 136-174MHz）。</translation>
    </message>
    <message>
        <source>stock: the entry of a list longer than 16 channels that becomes channel 1 (default 1).</source>
        <translation>stock：超过 16 个信道的表中成为信道 1 的条目（默认为 1）。</translation>
    </message>
    <message>
        <source>Without a name: list the built-in lists of licence-free and common channels (pmr446, china-409, frs-gmrs, murs, lpd433, noaa, marine) with their region, frequencies, channel count and how many the band holds. With one: start a plan from that list, its channels in order from channel 1, as new channels with the options of a new plan; channels outside the band are kept with a warning. A file ending in .csv gets the channels as a CSV channel list with their names.</source>
        <translation>不带名称：列出内置的免执照和常用信道表（pmr446、china-409、frs-gmrs、murs、lpd433、noaa、marine），以及各表的地区、频率、信道数和频段内可容纳的信道数。带名称：以该表新建方案，其信道从信道 1 起依次排列，按新信道的默认值设置，功能选项同新建方案；频段外的信道保留并给出警告。以 .csv 结尾的文件则写成带信道名称的 CSV 信道表。</translation>
    </message>
    <message>
        <source>stock needs a list name and a file to write, or nothing to list the lists</source>
        <translation>stock 需要一个表名和一个要写入的文件，或者不带参数以列出各表</translation>
    </message>
    <message>
        <source>--last takes a number of lines from 1 up, not &apos;%1&apos;</source>
        <translation>--last 需要从 1 起的行数，而不是“%1”</translation>
    </message>
    <message>
        <source>--record takes the time of a line of the write log, such as 2026-12-10T14:35:01.123Z, not &apos;%1&apos;</source>
        <translation>--record 需要写频记录中某一行的时间，例如 2026-12-10T14:35:01.123Z，而不是“%1”</translation>
    </message>
    <message>
        <source>write, log, sheet: the write log, a line for every radio written (default $XDG_STATE_HOME/zev4800/writes.csv, or ~/.local/state/zev4800/writes.csv).</source>
        <translation>write、log、sheet：写频记录，每写一台对讲机记一行（默认 $XDG_STATE_HOME/zev4800/writes.csv，或 ~/.local/state/zev4800/writes.csv）。</translation>
    </message>
    <message>
        <source>log: only the newest N lines.</source>
        <translation>log：只显示最新的 N 行。</translation>
    </message>
    <message>
        <source>sheet: add a footer with the date, device, result and plan hash of the write that the log&apos;s line of that time records (the time as log shows it): a receipt of the write. The channel file must hold the plan written.</source>
        <translation>sheet：在页脚加上写频记录中该时间（按 log 显示的时间）那一行所记写频的日期、设备、结果和方案哈希值，作为写频回执。信道文件必须是当时写入的方案。</translation>
    </message>
    <message>
        <source>Print the write log as a table, oldest first: the time (UTC, as --record takes it), port, device, result (verified, written, failed, stopped), band, plan file, the first 12 digits of the plan&apos;s SHA-256, backup and the reason of a failure. Damaged lines are left out and named on stderr.</source>
        <translation>以表格形式显示写频记录，最早的在前：时间（UTC，即 --record 所用的时间）、端口、设备、结果（verified 已核对、written 已写入、failed 失败、stopped 已中止）、频段、方案文件、方案 SHA-256 的前 12 位、备份以及失败原因。损坏的行会被略过，并在标准错误输出上指出。</translation>
    </message>
    <message>
        <source>read failed: %1</source>
        <translation>读频失败：%1</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>正在读频</translation>
    </message>
    <message>
        <source>read succeeded but the file was not saved: %1</source>
        <translation>读频成功，但文件未能保存：%1</translation>
    </message>
    <message>
        <source>write refused: %1</source>
        <translation>拒绝写频：%1</translation>
    </message>
    <message>
        <source>write failed: %1</source>
        <translation>写频失败：%1</translation>
    </message>
    <message>
        <source>backup of the radio: %1</source>
        <translation>对讲机的备份：%1</translation>
    </message>
    <message>
        <source>clone refused: --from %1 and --to %2 are the same port</source>
        <translation>拒绝克隆：--from %1 与 --to %2 是同一个端口</translation>
    </message>
    <message>
        <source>clone failed: the master radio could not be read, nothing was written: %1</source>
        <translation>克隆失败：无法读取母机，未写入任何内容：%1</translation>
    </message>
    <message>
        <source>reading the master</source>
        <translation>正在读取母机</translation>
    </message>
    <message>
        <source>clone failed: the master&apos;s plan could not be kept, nothing was written: %1</source>
        <translation>克隆失败：无法保存母机的方案，未写入任何内容：%1</translation>
    </message>
    <message>
        <source>plan of the master radio: %1</source>
        <translation>母机的方案：%1</translation>
    </message>
    <message>
        <source>clone refused, nothing was written: %1</source>
        <translation>拒绝克隆，未写入任何内容：%1</translation>
    </message>
    <message>
        <source>No serial ports are present.</source>
        <translation>没有串口。</translation>
    </message>
    <message>
        <source>free</source>
        <translation>空闲</translation>
    </message>
    <message>
        <source>in use</source>
        <translation>被占用</translation>
    </message>
    <message>
        <source>in use (process %1)</source>
        <translation>被占用（进程 %1）</translation>
    </message>
    <message>
        <source>in use by %1 (process %2)</source>
        <translation>被 %1 占用（进程 %2）</translation>
    </message>
    <message>
        <source>permission denied (group %1)</source>
        <translation>无权限（用户组 %1）</translation>
    </message>
    <message>
        <source>gone</source>
        <translation>已消失</translation>
    </message>
    <message>
        <source>stable name:</source>
        <translation>固定名称：</translation>
    </message>
    <message>
        <source>adapter:</source>
        <translation>适配器：</translation>
    </message>
    <message>
        <source>maker:</source>
        <translation>厂商：</translation>
    </message>
    <message>
        <source>USB id:</source>
        <translation>USB ID：</translation>
    </message>
    <message>
        <source>state:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <source>settings:</source>
        <translation>设置：</translation>
    </message>
    <message>
        <source>sheet refused: %1</source>
        <translation>拒绝生成信道表：%1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>No write is logged in %1.</source>
        <translation>%1 中没有写频记录。</translation>
    </message>
    <message>
        <source>export failed: %1</source>
        <translation>导出失败：%1</translation>
    </message>
    <message>
        <source>import refused: %1</source>
        <translation>拒绝导入：%1</translation>
    </message>
    <message>
        <source>import refused: %1: %2</source>
        <translation>拒绝导入：%1：%2</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>说明：%1</translation>
    </message>
    <message>
        <source>import refused, nothing was saved; the list has no row the radio can hold</source>
        <translation>拒绝导入，未保存任何内容；列表中没有对讲机可容纳的行</translation>
    </message>
    <message>
        <source>import refused, nothing was saved; these rows cannot go into the radio (--skip-bad-rows saves the others):</source>
        <translation>拒绝导入，未保存任何内容；以下各行无法写入对讲机（--skip-bad-rows 可保存其余各行）：</translation>
    </message>
    <message>
        <source>rows left out:</source>
        <translation>略过的行：</translation>
    </message>
    <message>
        <source>%1; using Chinese</source>
        <translation>%1；使用中文</translation>
    </message>
    <message>
        <source>no language pack %1.qm in %2; using the built-in Chinese words</source>
        <translation>%2 中没有语言包 %1.qm；使用内置的中文词语</translation>
    </message>
    <message>
        <source>cannot write the trace: %1</source>
        <translation>无法写入跟踪文件：%1</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>信道表</translation>
    </message>
    <message>
        <source>REGION</source>
        <translation>地区</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>CHANNELS</source>
        <translation>信道数</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>在 %1 内</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>--from needs a list name</source>
        <translation>--from 需要一个表名</translation>
    </message>
    <message>
        <source>unknown stock list &apos;%1&apos;; the lists are %2</source>
        <translation>未知的信道表“%1”；可用的表为 %2</translation>
    </message>
    <message>
        <source>stock failed: %1</source>
        <translation>stock 失败：%1</translation>
    </message>
    <message>
        <source>warning: %1 (outside the band %2)</source>
        <translation>警告：%1（超出频段 %2）</translation>
    </message>
    <message>
        <source>interrupted: %1</source>
        <translation>已中断：%1</translation>
    </message>
    <message>
        <source>write failed: the radio&apos;s plan could not be backed up, so nothing was written: %1 (--no-backup writes without a backup)</source>
        <translation>写频失败：无法备份对讲机的方案，因此未写入任何内容：%1（--no-backup 可不备份直接写入）</translation>
    </message>
    <message>
        <source>write failed: the radio does not hold what was written:</source>
        <translation>写频失败：对讲机中的内容与写入的不一致：</translation>
    </message>
    <message>
        <source>write done, but the radio could not be read back to check it: %1</source>
        <translation>写频完成，但无法回读对讲机进行核对：%1</translation>
    </message>
    <message>
        <source>backing up</source>
        <translation>正在备份</translation>
    </message>
    <message>
        <source>writing</source>
        <translation>正在写频</translation>
    </message>
    <message>
        <source>verifying</source>
        <translation>正在核对</translation>
    </message>
    <message>
        <source>english or chinese: the language of help, messages and tables, and the words and option texts of the plans written. Default: the environment&apos;s (LANGUAGE, else LC_ALL, LC_MESSAGES or LANG: Chinese for a zh locale, English for any other), else the installed language (install.Log beside the program, else in ../share/zev4800), Chinese if that cannot be read.</source>
        <translation>english 或 chinese：帮助、消息和表格的语言，以及所写方案中的词语和选项文字。默认取自环境（LANGUAGE，否则 LC_ALL、LC_MESSAGES 或 LANG：zh 区域设置为中文，其他均为英文），否则为安装时的语言（程序旁的 install.Log，否则为 ../share/zev4800 中的），无法读取时为中文。</translation>
    </message>
    <message>
        <source>%1 (try &apos;zev4800-cli --help&apos;)</source>
        <translation>%1（请参阅“zev4800-cli --help”）</translation>
    </message>
    <message>
        <source>CH</source>
        <translation>信道</translation>
    </message>
    <message>
        <source>Band: %1</source>
        <translation>频段：%1</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1：</translation>
    </message>
    <message>
        <source>--port %1 and --port %2 are the same port</source>
        <translation>--port %1 与 --port %2 是同一个端口</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>%1 of %2 radios failed: %3</source>
        <translation>%2 台对讲机中有 %1 台失败：%3</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>read failed: cannot make the folder %1</source>
        <translation>读频失败：无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>read refused: %1</source>
        <translation>拒绝读频：%1</translation>
    </message>
    <message>
        <source>file</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>plan</source>
        <translation>方案</translation>
    </message>
    <message>
        <source>sha256</source>
        <translation>sha256</translation>
    </message>
    <message>
        <source>reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Go through what stands between you and the radio, a line for each check with what to do where one fails: the port is there (and its stable name), you may open it, nothing else holds it, ModemManager and brltty are not in the way, the driver takes low-latency mode, and the radio answers the entry handshake and the band read (nothing is written; a radio left in programming mode is brought out of it). Without --port: the one USB serial adapter present, else the window&apos;s COM port. Exit status 0 only when the radio answered.</source>
        <translation>逐项检查您与对讲机之间的每一环，每项一行，未通过时说明该怎么做：端口存在（及其固定名称）、您有权打开它、没有其他程序占用它、ModemManager 和 brltty 不碍事、驱动接受低延迟模式，以及对讲机应答进入握手和频段读取（不写入任何内容；被先前的故障留在编程模式的对讲机会被带出该模式）。不带 --port 时：检查唯一插着的 USB 串口适配器，否则检查窗口的 COM 口。仅当对讲机应答时退出状态为 0。</translation>
    </message>
    <message>
        <source>show, diff, ports, log, read, write, clone: print one JSON document on stdout in place of the text, frequencies in Hz (the man page lists its keys). Errors stay on stderr and in the exit status.</source>
        <translation>show、diff、ports、log、read、write、clone：在标准输出上以一个 JSON 文档代替文字，频率以 Hz 为单位（其键见手册页）。错误仍输出到标准错误并反映在退出状态中。</translation>
    </message>
</context>
</TS>
