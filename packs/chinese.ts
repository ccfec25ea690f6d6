<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name></name>
    <message id="1">
        <source>VARKOL RH-4800 FM Handheld Radio Programming Software</source>
        <translation>VARKOL专用调频手持对讲机RH-4800编程软件</translation>
    </message>
    <message id="2">
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message id="3">
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message id="4">
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message id="5">
        <source>Read from radio</source>
        <translation>读频</translation>
    </message>
    <message id="6">
        <source>Write to radio</source>
        <translation>写频</translation>
    </message>
    <message id="7">
        <source>Channel edit</source>
        <translation>信道编辑</translation>
    </message>
    <message id="8">
        <source>Function options</source>
        <translation>功能选项</translation>
    </message>
    <message id="9">
        <source>Power adjust</source>
        <translation>功率调整</translation>
    </message>
    <message id="10">
        <source>Model:</source>
        <translation>型号：</translation>
    </message>
    <message id="11">
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message id="12">
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message id="13">
        <source>&amp;Open</source>
        <translation>打开(&amp;O)</translation>
    </message>
    <message id="14">
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message id="15">
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message id="16">
        <source>&amp;Edit</source>
        <translation>编辑(&amp;P)</translation>
    </message>
    <message id="17">
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message id="18">
        <source>Write</source>
        <translation>写频</translation>
    </message>
    <message id="19">
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message id="20">
        <source>Function Options</source>
        <translation>功能选项</translation>
    </message>
    <message id="21">
        <source>Power Adjust</source>
        <translation>功率调整</translation>
    </message>
    <message id="22">
        <source>COM Port</source>
        <translation>通讯端口</translation>
    </message>
    <message id="23">
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message id="24">
        <source>&amp;Contents...</source>
        <translation>帮助(&amp;C)...</translation>
    </message>
    <message id="25">
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message id="26">
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message id="27">
        <source>Changing the model clears the channel data and function options. Continue?</source>
        <translation>更换型号将清除当前的信道数据和功能设置，是否继续？</translation>
    </message>
    <message id="28">
        <source>A new plan clears the channel data and function options. Continue?</source>
        <translation>新建将清除当前的信道数据和功能设置，是否继续？</translation>
    </message>
    <message id="29">
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message id="30">
        <source>Channel Edit</source>
        <translation>信道编辑</translation>
    </message>
    <message id="31">
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message id="32">
        <source>Move Up</source>
        <translation>信道上移</translation>
    </message>
    <message id="33">
        <source>Move Down</source>
        <translation>信道下移</translation>
    </message>
    <message id="34">
        <source>Delete</source>
        <translation>信道删除</translation>
    </message>
    <message id="35">
        <source>CH</source>
        <translation>信道</translation>
    </message>
    <message id="36">
        <source>RX Freq</source>
        <translation>接收频率</translation>
    </message>
    <message id="37">
        <source>RX Tone</source>
        <translation>接收亚音</translation>
    </message>
    <message id="38">
        <source>TX Freq</source>
        <translation>发射频率</translation>
    </message>
    <message id="39">
        <source>TX Tone</source>
        <translation>发射亚音</translation>
    </message>
    <message id="40">
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message id="41">
        <source>Scan Add</source>
        <translation>扫描加入</translation>
    </message>
    <message id="42">
        <source>Busy Lock</source>
        <translation>繁忙锁定</translation>
    </message>
    <message id="43">
        <source>OFF</source>
        <translation>禁用</translation>
    </message>
    <message id="44">
        <source>High</source>
        <translation>高功率</translation>
    </message>
    <message id="45">
        <source>Low</source>
        <translation>低功率</translation>
    </message>
    <message id="46">
        <source>ON</source>
        <translation>启用</translation>
    </message>
    <message id="47">
        <source>Reserved</source>
        <translation>保留</translation>
    </message>
    <message id="48">
        <source>Function Options</source>
        <translation>功能选项</translation>
    </message>
    <message id="49">
        <source>Squelch Level</source>
        <translation>静噪电平</translation>
    </message>
    <message id="50">
        <source>Battery Save</source>
        <translation>电池省电</translation>
    </message>
    <message id="51">
        <source>TX Time-out</source>
        <translation>超时禁发</translation>
    </message>
    <message id="52">
        <source>Voice Prompt</source>
        <translation>语音通知</translation>
    </message>
    <message id="53">
        <source>Key Beep</source>
        <translation>提示音</translation>
    </message>
    <message id="54">
        <source>Alarm Key</source>
        <translation>报警按键</translation>
    </message>
    <message id="55">
        <source>Scan</source>
        <translation>扫描允许</translation>
    </message>
    <message id="56">
        <source>1 min</source>
        <translation>1分钟</translation>
    </message>
    <message id="57">
        <source>2 min</source>
        <translation>2分钟</translation>
    </message>
    <message id="58">
        <source>3 min</source>
        <translation>3分钟</translation>
    </message>
    <message id="59">
        <source>4 min</source>
        <translation>4分钟</translation>
    </message>
    <message id="60">
        <source>5 min</source>
        <translation>5分钟</translation>
    </message>
    <message id="61">
        <source>6 min</source>
        <translation>6分钟</translation>
    </message>
    <message id="62">
        <source>7 min</source>
        <translation>7分钟</translation>
    </message>
    <message id="63">
        <source>Chinese male</source>
        <translation>中文男声</translation>
    </message>
    <message id="64">
        <source>English male</source>
        <translation>英文男声</translation>
    </message>
    <message id="65">
        <source>Chinese female</source>
        <translation>中文女声</translation>
    </message>
    <message id="66">
        <source>English female</source>
        <translation>英文女声</translation>
    </message>
    <message id="67">
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message id="68">
        <source>ZEV-481 Radio Programming Software</source>
        <translation>ZEV-481对讲机编程软件</translation>
    </message>
    <message id="69">
        <source>Version: 481-1.001</source>
        <translation>版本：481-1.001</translation>
    </message>
    <message id="70">
        <source>Radio: RH-4800</source>
        <translation>适用机型：RH-4800</translation>
    </message>
    <message id="71">
        <source>Copyright VARKOL</source>
        <translation>VARKOL 版权所有</translation>
    </message>
    <message id="72">
        <source>High power:</source>
        <translation>高功率：</translation>
    </message>
    <message id="73">
        <source>Low voltage:</source>
        <translation>低电压：</translation>
    </message>
    <message id="74">
        <source>Low power:</source>
        <translation>低功率：</translation>
    </message>
    <message id="75">
        <source>Read</source>
        <translation>读出</translation>
    </message>
    <message id="76">
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message id="77">
        <source>Successes: </source>
        <translation>成功次数:</translation>
    </message>
    <message id="78">
        <source>Data transfer failed. Check the programming cable and the radio, then try again.</source>
        <translation>数据传输失败，请检查写频线和对讲机后重试。</translation>
    </message>
    <message id="79">
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message id="80">
        <source>The COM port does not exist or another program is using it. Choose another port.</source>
        <translation>通讯端口不存在或已被占用，请选择其他端口。</translation>
    </message>
    <message id="81">
        <source>Port Error</source>
        <translation>端口错误</translation>
    </message>
</context>
</TS>
