#pragma once

#include <csignal>
#include <string>
#include <sys/types.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace parvelin::test {

// A print service of the test's own: cupsd with a private configuration, spool and log in a
// temporary folder (of the working, build, folder where user lp can reach it), listening on a
// socket there, with file queues
// whose output the test reads. The program under test finds it through CUPS_SERVER, which must be
// set before anything asks the print service (libcups reads it once). Queues:
//   letter      PostScript, US Letter unless a job asks for A4 (tests/data/printers)
//   letteronly  PostScript with US Letter paper only
//   rejecting   takes no jobs (cupsreject)
//   stopped     paused (cupsdisable): jobs wait
class PrivatePrintService {
public:
    explicit PrivatePrintService(const QString& ppdFolder)
        : m_folder(QDir(homeFolder()).filePath(QStringLiteral("print-service-XXXXXX"))) {
        if (!m_folder.isValid() || cupsdProgram().isEmpty()) {
            m_whyNot = QStringLiteral("cupsd is not installed");
            return;
        }
        const QString root = m_folder.path();
        QFile::setPermissions(root, QFile::Permissions(0x7755)); // the filters run as user lp
        for (const char* sub : {"spool", "cache", "state", "log", "out"}) {
            QDir(root).mkdir(QLatin1String(sub));
        }
        QDir(root).mkdir(QStringLiteral("tmp"));
        QFile::setPermissions(root + QStringLiteral("/tmp"), QFile::Permissions(0x7777));
        QFile::setPermissions(root + QStringLiteral("/out"), QFile::Permissions(0x7777));
        socket = root + QStringLiteral("/cups.sock");
        write(root + QStringLiteral("/cupsd.conf"),
              "Listen " + socket.toUtf8() +
                  "\nLogLevel debug\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n"
                  "  </Limit>\n</Policy>\n");
        const QByteArray r = root.toUtf8();
        write(root + QStringLiteral("/cups-files.conf"),
              "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r +
                  "/tmp\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nErrorLog " + r +
                  "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                  "/log/page_log\nFileDevice Yes\nServerBin /usr/lib/cups\n"
                  "DataDir /usr/share/cups\n");
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start(cupsdProgram(), {QStringLiteral("-f"), QStringLiteral("-c"),
                                        root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                                        root + QStringLiteral("/cups-files.conf")});
        if (!m_daemon.waitForStarted() ||
            !QTest::qWaitFor([this] { return QFile::exists(socket); }, 10000)) {
            m_whyNot = QStringLiteral("cupsd did not start (it needs root here)");
            return;
        }
        const QString ppds = ppdFolder;
        m_running = admin({"-p", "letter", "-E", "-v", "file://" + out("letter"), "-P",
                           ppds + "/letter-default.ppd"}) &&
                    admin({"-p", "letteronly", "-E", "-v", "file://" + out("letteronly"), "-P",
                           ppds + "/letter-only.ppd"}) &&
                    admin({"-p", "rejecting", "-E", "-v", "file://" + out("rejecting")}) &&
                    admin({"-p", "stopped", "-E", "-v", "file://" + out("stopped")}) &&
                    run(QStringLiteral("cupsreject"), {QStringLiteral("rejecting")}) &&
                    run(QStringLiteral("cupsdisable"), {QStringLiteral("stopped")});
        if (!m_running) {
            m_whyNot = QStringLiteral("the test queues could not be made");
        }
    }
    ~PrivatePrintService() {
        if (m_daemon.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_daemon.processId()), SIGCONT);
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }
    PrivatePrintService(const PrivatePrintService&) = delete;
    PrivatePrintService& operator=(const PrivatePrintService&) = delete;

    bool running() const { return m_running; }
    const QString& whyNot() const { return m_whyNot; }

    // The file a queue writes its jobs into.
    QString out(const QString& queue) const { return m_folder.path() + "/out/" + queue; }

    // The service stops answering (SIGSTOP), and answers again.
    void freeze() { ::kill(static_cast<pid_t>(m_daemon.processId()), SIGSTOP); }
    void thaw() { ::kill(static_cast<pid_t>(m_daemon.processId()), SIGCONT); }

    QString socket;

private:
    // The filters run as user lp and must reach the queues' files: the working folder where every
    // folder above it lets others through, the system's temporary folder otherwise (a clone in a
    // folder of mktemp -d is its owner's alone).
    static QString homeFolder() {
        for (QDir folder = QDir::current();;) {
            if (!QFileInfo(folder.absolutePath()).permissions().testFlag(QFileDevice::ExeOther)) {
                return QDir::tempPath();
            }
            if (!folder.cdUp()) {
                return QDir::currentPath();
            }
        }
    }
    static QString cupsdProgram() {
        return QFile::exists(QStringLiteral("/usr/sbin/cupsd")) ? QStringLiteral("/usr/sbin/cupsd")
                                                                : QString();
    }
    static void write(const QString& path, const QByteArray& content) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(content);
        }
    }
    bool run(const QString& program, const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"), socket);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("/usr/sbin/") + program, arguments);
        return tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit &&
               tool.exitCode() == 0;
    }
    bool admin(const QStringList& arguments) { return run(QStringLiteral("lpadmin"), arguments); }

    QTemporaryDir m_folder;
    QProcess m_daemon;
    bool m_running = false;
    QString m_whyNot;
};

} // namespace parvelin::test
