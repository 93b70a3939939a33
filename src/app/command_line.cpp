#include "app/command_line.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "app/install_layout.h"

namespace App {
namespace {

const QString Name = QStringLiteral("kelvira");

// Said after the options in --help: where the files are looked for, the environment and how
// the port's device is chosen.
const char* const MoreHelp =
    "\n"
    "Configuration files (VEXO.TXT, EKION.CSV, KION.CSV, whatever their letter case) are\n"
    "looked for one by one, in this order; the first folder holding a file is used:\n"
    "  1. the working folder\n"
    "  2. the folder of --config-dir\n"
#ifdef _WIN32
    "  3. %APPDATA%\\Kelvira\n"
    "  4. %PROGRAMDATA%\\Kelvira\n"
#else
    "  3. $XDG_CONFIG_HOME/kelvira (~/.config/kelvira)\n"
    "  4. kelvira/ in each folder of $XDG_CONFIG_DIRS (/etc/xdg/kelvira)\n"
#endif
    "With --demo, the example files come last. Kelvira never writes to these folders.\n"
    "\n"
    "The device of the configured port N (Port= in VEXO.TXT, 1 to 4) is the one named by\n"
    "--port, else by the environment variable KELVIRA_PORT<N>, else the Nth USB serial\n"
#ifdef _WIN32
    "adapter (in the order of the system's device ids), else COM<N>.\n"
#else
    "adapter (by its name under /dev/serial/by-id/), else /dev/ttyS<N-1>.\n"
#endif
    "\n"
    "With --class (or Kurasu= in VEXO.TXT) the lesson is published to the class's MQTT\n"
    "broker, as the group of --group (or Han=), for the class view kelvira-class. An\n"
    "address with a user and no password (mqtt://han1@HOST/CLASS) takes the password from\n"
#ifdef _WIN32
    "the first line of --password-file, else of %APPDATA%\\Kelvira\\class-password.\n"
#else
    "the first line of --password-file, else of ~/.config/kelvira/class-password.\n"
#endif
    "\n"
    "With --share[=[HOST:]PORT] the lesson is shared with the pupils' tablets at once, as\n"
    "\"タブレットで見せる\" in the graph's menu does: a read-only page at\n"
    "http://<this PC>:PORT/<token>/ (port 8300), its address and QR code in a window.\n"
    "\n"
    "Environment:\n"
    "  KELVIRA_PORT<N>  the device of port N\n"
    "  KELVIRA_TRACE=1  one line on stderr for every change of the window\n";

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help and ends.")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Shows the version and ends.")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Opens DEVICE as the configured port."),
                            QStringLiteral("DEVICE")};
    QCommandLineOption configDir{QStringLiteral("config-dir"),
                                 QStringLiteral("Looks for the configuration files in DIR too."),
                                 QStringLiteral("DIR")};
    QCommandLineOption noRecord{QStringLiteral("no-record"),
                                QStringLiteral("Records no lesson into a file.")};
    QCommandLineOption classUrl{QStringLiteral("class"),
                                QStringLiteral("Joins the class at URL (mqtt://HOST/CLASS): "
                                               "the lesson is published to its broker."),
                                QStringLiteral("URL")};
    QCommandLineOption group{QStringLiteral("group"),
                             QStringLiteral("The group's name in the class (the host's name)."),
                             QStringLiteral("NAME")};
    QCommandLineOption passwordFile{
        QStringLiteral("password-file"),
        QStringLiteral("Reads the class's password from the first line of FILE."),
        QStringLiteral("FILE")};
    QCommandLineOption code{
        QStringLiteral("code"),
        QStringLiteral("The join code of a class a class view opened (Kode=), shown on its "
                       "screen: the group signs in with it under its own name."),
        QStringLiteral("CODE")};
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Runs against the simulated Zanpo (a cup of hot water "
                                           "cooling), with the example files.")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Kelvira, a classroom thermometer for the Zanpo measurement box."));
        parser.addOptions(
            {help, version, port, configDir, demo, noRecord, classUrl, group, passwordFile, code});
    }

    QString helpText() const {
        // The parser names the program after the application object, which does not exist
        // yet: the first line is made here.
        const QString text = parser.helpText();
        return QStringLiteral("Usage: ") + Name + QStringLiteral(" [options]") +
               text.mid(text.indexOf(QLatin1Char('\n'))) + QString::fromUtf8(MoreHelp);
    }
};

CommandLine Mistake(const Parser& p, const QString& why) {
    return {CommandLine::Outcome::Mistake,
            {},
            Name + QStringLiteral(": ") + why + "\n\n" + p.helpText()};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    Parser p;
    QStringList rest = arguments;
    const ShareAsked share = TakeShare(rest);
    if (!share.error.isEmpty()) return Mistake(p, share.error);
    if (!p.parser.parse(rest)) return Mistake(p, p.parser.errorText());
    if (p.parser.isSet(p.help)) return {CommandLine::Outcome::Help, {}, p.helpText()};
    if (p.parser.isSet(p.version))
        return {CommandLine::Outcome::Version, {}, Name + " " + KELVIRA_VERSION + "\n"};
    if (!p.parser.positionalArguments().isEmpty())
        return Mistake(
            p, QStringLiteral("unexpected argument: ") + p.parser.positionalArguments().first());
    CommandLine line;
    line.options.port = p.parser.value(p.port);
    line.options.configDir = p.parser.value(p.configDir);
    line.options.demo = p.parser.isSet(p.demo);
    line.options.noRecord = p.parser.isSet(p.noRecord);
    line.options.classUrl = p.parser.value(p.classUrl);
    line.options.group = p.parser.value(p.group);
    line.options.passwordFile = p.parser.value(p.passwordFile);
    line.options.code = p.parser.value(p.code);
    line.options.share = share;
    if (p.parser.isSet(p.port) && line.options.port.isEmpty())
        return Mistake(p, QStringLiteral("--port needs a device"));
    if (p.parser.isSet(p.configDir) && line.options.configDir.isEmpty())
        return Mistake(p, QStringLiteral("--config-dir needs a folder"));
    return line;
}

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void HidePasswords(int argc, char** argv) {
    static const char Mask[] = "***";
    const size_t maskSize = std::strlen(Mask);
    for (int i = 1; i < argc; ++i) {
        char* arg = argv[i];
        char* scheme = std::strstr(arg, "://");
        if (!scheme) continue;
        // The password as classlink's WithoutPassword takes it: from the first ":" after the
        // scheme to the last "@", whatever characters it holds.
        char* colon = std::strchr(scheme + 3, ':');
        char* at = std::strrchr(arg, '@');
        if (!colon || !at || at < colon) continue;
        const size_t password = static_cast<size_t>(at - colon - 1);
        if (password < maskSize) {
            std::memset(colon + 1, '*', password);
            continue;
        }
        // "***" whatever the length: this argument and those that follow it in one piece of
        // memory, as the system lays them out, move up, and the end is filled with zeros, which
        // the list of processes does not show.
        char* end = arg + std::strlen(arg) + 1;
        int last = i;
        while (last + 1 < argc && argv[last + 1] == end) {
            ++last;
            end += std::strlen(argv[last]) + 1;
        }
        const size_t gone = password - maskSize;
        std::memcpy(colon + 1, Mask, maskSize);
        std::memmove(colon + 1 + maskSize, at, static_cast<size_t>(end - at));
        std::memset(end - gone, 0, gone);
        for (int j = i + 1; j <= last; ++j) argv[j] -= gone;
    }
}

int Answer(const CommandLine& line) {
    const bool mistake = line.outcome == CommandLine::Outcome::Mistake;
    const QByteArray text = line.text.toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), mistake ? stderr : stdout);
    return mistake ? 2 : 0;
}

ShareAsked TakeShare(QStringList& arguments) {
    ShareAsked share;
    for (qsizetype i = arguments.size() - 1; i > 0; --i) {
        const QString a = arguments[i];
        if (a != QLatin1String("--share") && !a.startsWith(QLatin1String("--share="))) continue;
        arguments.removeAt(i);
        share.asked = true;
        const QString where = a.mid(8);
        if (where.isEmpty()) continue;
        const QString port = where.section(QLatin1Char(':'), -1);
        share.host =
            where.contains(QLatin1Char(':')) ? where.section(QLatin1Char(':'), 0, -2) : QString();
        bool ok = false;
        share.port = port.toInt(&ok);
        if (!ok || share.port < 0 || share.port > 65535)
            share.error = QStringLiteral("--share takes [HOST:]PORT, not ") + where;
    }
    return share;
}

}  // namespace App
