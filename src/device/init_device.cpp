// Start-up of the device link: the notice, the sensor's table, the port and the greeting.
#include <QByteArray>
#include <QString>

#include "config/missing_tables.h"
#include "core/reading.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "device/device_link.h"
#include "device/port_choice.h"
#include "platform/serial_line.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

// What to check when the program does not get going; it stays on the graph surface
// until the box has answered and the graph is drawn over it.
const char* const DeviceNotice[] = {
    "「ざんぽ」初期化中。",
    "",
    "　「ざんぽ」が接続されていないと、プログラムが",
    "　起動しません。もし、プログラムが動かない場合に",
    "　は、「ざんぽ」の接続と、ポートの設定を確認して",
    "　下さい。",
    "　初期設定では接続ポートは「１」になっています。",
    "　ポートの設定変更は「VEXO.TXT」で行って下さい。",
    "",
};

}  // namespace

void GreetDevice() {
    MSComm1->output(QByteArray(1, '\x00'));
    MSComm1->output(QByteArray(1, '\x00'));
    MSComm1->output(QByteArray(1, '\xFF'));
    MSComm1->input();  // answers to the greeting and anything older are of no use
}

void InitDevice() {
    for (const char* line : DeviceNotice) PrintLog(QString::fromUtf8(line));

    RawValue = 0;
    const auto& table = IsTrue(KionMode) ? KionTable : EkionTable;
    for (int i = 0; i <= LastRaw; ++i) ConvTable[i] = table[i];
    RestateReading();
    MarkEmptyTable();

    if (PortNumber < 1) PortNumber = 1;
    if (PortNumber > 4) PortNumber = 4;
    PrintLogNaming(QStringLiteral("接続ポート："), PortDevice(PortNumber));

    // A step that fails leaves the next ones to run: on a port that did not open the
    // settings are still made and the writes and the read simply do nothing.
    MSComm1->setCommPort(PortNumber);
    MSComm1->setSettings(QStringLiteral("9600,N,8,1"));
    DeviceMissing = !MSComm1->setPortOpen(true);
    OnFallbackPort = !DeviceMissing && FallbackChosen(PortNumber);
    MSComm1->setInputMode(1);
    MSComm1->setSThreshold(1);
    MSComm1->setRThreshold(1);
    GreetDevice();
}

}  // namespace Vexo
