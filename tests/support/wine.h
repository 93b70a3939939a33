// Kelvira for Windows under Wine, for the tests: a Wine prefix of the test's own on a private
// X screen, its home (where the prefix's Documents lead) a folder of the test's, its serial
// ports COM1 to COM4 mapped through the registry to what the test names, never to a real
// device, and the Windows programs run in it.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class WinePrefix {
  public:
    // Makes the prefix (wineboot) for the X display `display`.
    explicit WinePrefix(const QString& display);
    ~WinePrefix();  // ends its programs and its server
    bool ok() const { return ok_; }
    QString home() const { return dir_.filePath("home"); }
    // The Unix path of C:\Program Files\Kelvira\<name>.
    QString installed(const QString& name) const;
    // Runs a Windows program (or a command of Wine's) to its end; true when it ended with 0.
    bool run(const QStringList& command, int timeoutMs = 60000);
    // COM1 leads to `com1` (a link to the simulated box's pty), COM2 to COM4 to nothing; the
    // server is started anew so that the mapping holds, and false unless it does.
    bool mapPorts(const QString& com1);
    // Starts a Windows program in `folder` with `environment` added; its stderr (the trace)
    // stays readable on `process`.
    void start(QProcess& process, const QString& program, const QStringList& arguments,
               const QString& folder, const QStringList& environment = {});

  private:
    QString wine_;
    QTemporaryDir dir_;
    QProcessEnvironment env_;
    bool ok_ = false;
};
