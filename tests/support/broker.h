// A real MQTT broker (Mosquitto) for the tests, on 127.0.0.1 and a free port, the only
// address the tests use. It can be killed and started again on the same port.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class Broker {
  public:
    // `extra`: lines added to its configuration (users, ACL).
    explicit Broker(const QStringList& extra = {"allow_anonymous true"});
    ~Broker();
    // Its configuration made anew, with `extra` in place of what was added before.
    void configure(const QStringList& extra);
    bool start();  // false when it did not listen within 5 s
    void kill();   // SIGKILL, as a machine that loses its power
    int port() const { return port_; }
    QString url(const QString& className, const QString& user = {}) const;
    QString dir() const { return dir_.path(); }
    // A copy of `file` in the broker's own folder, which the broker can read after it has
    // dropped to its own user (a file in a clone under /root it could not); its path.
    QString share(const QString& file) const;
    // What it said since it was last asked.
    QString log();
    // Its peak of resident memory so far, in bytes.
    qint64 peakMemory() const;

  private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

// The lines that make `broker` a class's own as the class view opens it: class 2-1, join code
// ABCDEF, the teacher's secret "secret", its gate the one the build made (KELVIRA_GATE_PLUGIN).
QStringList GateLines(const Broker& broker);

// A port of 127.0.0.1 nothing listens on now.
int FreePort();

// The lines of the example configuration (packaging/mosquitto/kelvira.conf) that bound what
// the broker takes, keeps and queues: sizes, queues and memory.
QStringList ExampleBounds();

// A CA (ca.pem) in `dir`, and the broker's certificate (broker.pem, broker.key) signed by it
// for `host` (an IP or DNS name); false when openssl failed.
bool MakeCertificates(const QString& dir, const QString& host);

// Runs one of the Mosquitto clients to its end; its exit code, and its output in `out`.
int RunClient(const QStringList& command, QByteArray* out = nullptr, int timeoutMs = 15000);
