#include "support/broker.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include "support/box_rig.h"

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(s);
    return ntohs(address.sin_port);
}

namespace {

bool Listens(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(port);
    const bool up = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return up;
}

}  // namespace

Broker::Broker(const QStringList& extra) : port_(FreePort()) {
    // Started as root, mosquitto reads its files as the user mosquitto.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);
    configure(extra);
}

void Broker::configure(const QStringList& extra) {
    QFile conf(dir_.filePath("mosquitto.conf"));
    conf.open(QIODevice::WriteOnly);
    conf.write(QString("listener %1 127.0.0.1\npersistence false\n%2\n")
                   .arg(port_)
                   .arg(extra.join('\n'))
                   .toUtf8());
}

QString Broker::share(const QString& file) const {
    const QString copy = dir_.filePath(QFileInfo(file).fileName());
    QFile::remove(copy);
    if (!QFile::copy(file, copy)) return {};
    QFile::setPermissions(
        copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return copy;
}

Broker::~Broker() {
    EndProcess(process_);
}

bool Broker::start() {
    QString program = QStandardPaths::findExecutable("mosquitto", {"/usr/sbin", "/usr/bin"});
    process_.setProgram(program);
    process_.setArguments({"-c", dir_.filePath("mosquitto.conf")});
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start();
    if (!process_.waitForStarted(5000)) return false;
    return BoxRig::waitFor([this] { return Listens(port_); }, 5000);
}

QString Broker::log() {
    // What it wrote is taken from the pipe only when asked for.
    while (process_.waitForReadyRead(200)) {
    }
    return QString::fromLocal8Bit(process_.readAll());
}

qint64 Broker::peakMemory() const {
    QFile status(QString("/proc/%1/status").arg(process_.processId()));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

void Broker::kill() {
    process_.kill();
    process_.waitForFinished(3000);
}

QString Broker::url(const QString& className, const QString& user) const {
    const QString who = user.isEmpty() ? QString() : user + "@";
    return "mqtt://" + who + "127.0.0.1:" + QString::number(port_) + "/" + className;
}

QStringList ExampleBounds() {
    QFile conf(qEnvironmentVariable("KELVIRA_SOURCE_DIR") + "/packaging/mosquitto/kelvira.conf");
    conf.open(QIODevice::ReadOnly);
    QStringList lines;
    for (const QByteArray& line : conf.readAll().split('\n'))
        if (line.startsWith("max_") || line.startsWith("message_size_limit") ||
            line.startsWith("memory_limit"))
            lines << QString::fromUtf8(line);
    return lines;
}

int RunClient(const QStringList& command, QByteArray* out, int timeoutMs) {
    QProcess client;
    client.setProcessChannelMode(QProcess::MergedChannels);
    client.start(command.first(), command.mid(1));
    if (!client.waitForFinished(timeoutMs)) {
        client.kill();
        client.waitForFinished(1000);
        return -1;
    }
    if (out) *out = client.readAll();
    return client.exitCode();
}

bool MakeCertificates(const QString& dir, const QString& host) {
    const QString san = host.front().isDigit() ? "IP:" + host : "DNS:" + host;
    QFile ext(dir + "/san.ext");
    return RunClient({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                      "-subj", "/CN=Kelvira test CA", "-keyout", dir + "/ca.key", "-out",
                      dir + "/ca.pem"}) == 0 &&
           ext.open(QIODevice::WriteOnly) &&
           ext.write(("subjectAltName=" + san + "\n").toUtf8()) > 0 && (ext.close(), true) &&
           RunClient({"openssl", "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=" + host,
                      "-keyout", dir + "/broker.key", "-out", dir + "/broker.csr"}) == 0 &&
           RunClient({"openssl", "x509", "-req", "-in", dir + "/broker.csr", "-CA", dir + "/ca.pem",
                      "-CAkey", dir + "/ca.key", "-CAcreateserial", "-days", "2", "-extfile",
                      dir + "/san.ext", "-out", dir + "/broker.pem"}) == 0;
}

QStringList GateLines(const Broker& broker) {
    return {"allow_anonymous false",
            "plugin " + broker.share(qEnvironmentVariable("KELVIRA_GATE_PLUGIN")),
            "plugin_opt_class 2-1", "plugin_opt_code ABCDEF", "plugin_opt_teacher secret"};
}
