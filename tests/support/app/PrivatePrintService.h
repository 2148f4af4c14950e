#pragma once

#include "tests/support/app/ServiceRelay.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cups/cups.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace parvelin::test {

// A print service of the test's own: cupsd with a private configuration, spool and log in a
// temporary folder (of the working, build, folder where user lp can reach it), listening on a
// socket there, with file queues whose output the test reads. Queues:
//   letter      PostScript, US Letter unless a job asks for A4 (tests/data/printers)
//   letteronly  PostScript with US Letter paper only
//   rejecting   takes no jobs (cupsreject)
//   stopped     paused (cupsdisable): jobs wait
// and one instance, letter/draft, which prints two pages a sheet (number-up=2).
//
// The program under test reaches the service through a relay (relay()), which can stop or kill
// it at a chosen byte. Before anything in the test process asks the print service (libcups reads
// these at a thread's first call), set every variable of clientEnvironment():
//   CUPS_SERVER      the relay's socket (socket)
//   CUPS_SERVERROOT  a folder of the service's own with client.conf and lpoptions, where libcups
//                    finds the instance instead of in /etc/cups
// e.g.  for (const auto& [name, value] : service.clientEnvironment()) qputenv(name, value);
// libcups reads the user's own ~/.cups/lpoptions after that folder's: a test that counts the
// destinations finds there any instance the machine's user made.
class PrivatePrintService {
public:
    // What the service knows about a job. A value the job does not have is absent (empty).
    struct Job {
        int id = 0;
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        QString queue;
        QString name;  // job-name
        QString media; // as the job asked, e.g. "iso_a4_210x297mm"
        std::optional<int> copies;
        std::optional<int> numberUp;
        std::optional<int> priority; // job-priority
    };
    // Jobs by what may still come of them: pending may yet print (pending, processing, stopped
    // with its printer); held waits until someone releases it (a job the service found
    // unfinished when it started again); failed ended without printing (canceled, aborted).
    struct JobCounts {
        int all = 0;
        int pending = 0;
        int held = 0;
        int completed = 0;
        int failed = 0;
    };

    explicit PrivatePrintService(const QString& ppdFolder)
        : m_ppdFolder(ppdFolder)
        , m_folder(QDir(homeFolder()).filePath(QStringLiteral("print-service-XXXXXX"))) {
        if (!m_folder.isValid() || cupsdProgram().isEmpty()) {
            m_whyNot = QStringLiteral("cupsd is not installed");
            return;
        }
        const QString root = m_folder.path();
        QFile::setPermissions(root, QFile::Permissions(0x7755)); // the filters run as user lp
        for (const char* sub : {"spool", "cache", "state", "log", "out", "client"}) {
            QDir(root).mkdir(QLatin1String(sub));
        }
        QDir(root).mkdir(QStringLiteral("tmp"));
        QFile::setPermissions(root + QStringLiteral("/tmp"), QFile::Permissions(0x7777));
        QFile::setPermissions(root + QStringLiteral("/out"), QFile::Permissions(0x7777));
        serviceSocket = root + QStringLiteral("/cups.sock");
        socket = root + QStringLiteral("/relay.sock");
        // DirtyCleanInterval 0: the queues are written out at once, so that a service killed
        // mid-job comes back with all of them. Jobs show all their values (their names) to the
        // test's questions, whoever asks.
        write(root + QStringLiteral("/cupsd.conf"),
              "Listen " + serviceSocket.toUtf8() +
                  "\nLogLevel debug\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                  "DirtyCleanInterval 0\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                  "  <Limit All>\n    Order deny,allow\n    Allow all\n"
                  "  </Limit>\n</Policy>\n");
        const QByteArray r = root.toUtf8();
        write(root + QStringLiteral("/cups-files.conf"),
              "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r +
                  "/tmp\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nErrorLog " + r +
                  "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                  "/log/page_log\nFileDevice Yes\nServerBin /usr/lib/cups\n"
                  "DataDir /usr/share/cups\n");
        write(clientFolder() + QStringLiteral("/client.conf"),
              "ServerName " + socket.toUtf8() + '\n');
        write(clientFolder() + QStringLiteral("/lpoptions"), {});
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!startDaemon()) {
            m_whyNot = QStringLiteral("cupsd did not start (it needs root here)");
            return;
        }
        m_relay = std::make_unique<ServiceRelay>(socket.toStdString(), serviceSocket.toStdString(),
                                                 [this](int signal) { signalDaemon(signal); });
        if (!m_relay->listening()) {
            m_whyNot = QStringLiteral("the relay cannot listen on ") + socket;
            return;
        }
        m_running = std::all_of(std::begin(kQueues), std::end(kQueues),
                                [this](const Queue& queue) { return add(queue); }) &&
                    addInstance(QStringLiteral("letter/draft"), QStringLiteral("number-up=2"));
        if (!m_running) {
            m_whyNot = QStringLiteral("the test queues could not be made");
        }
    }
    ~PrivatePrintService() {
        m_relay.reset(); // its threads may wait on a stopped service
        if (m_daemon.state() != QProcess::NotRunning) {
            thaw();
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }
    PrivatePrintService(const PrivatePrintService&) = delete;
    PrivatePrintService& operator=(const PrivatePrintService&) = delete;

    bool running() const { return m_running; }
    const QString& whyNot() const { return m_whyNot; }

    // What the test process must set before it asks the print service anything (see above).
    std::vector<std::pair<QByteArray, QByteArray>> clientEnvironment() const {
        return {{"CUPS_SERVER", socket.toUtf8()}, {"CUPS_SERVERROOT", clientFolder().toUtf8()}};
    }

    // Between the program and the service: stops or kills it at a chosen byte. There once the
    // service runs.
    ServiceRelay& relay() { return *m_relay; }

    // The file a queue writes its jobs into.
    QString out(const QString& queue) const { return m_folder.path() + "/out/" + queue; }

    // The service stops answering (SIGSTOP), and answers again.
    void freeze() { signalDaemon(SIGSTOP); }
    void thaw() { signalDaemon(SIGCONT); }

    // Starts the service again with its configuration and queues, after it was killed (or
    // stopped: it is thawed and ended first), and lets the relay take connections again. True
    // once it answers with every queue as it was.
    bool restart() {
        thaw();
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
        }
        if (!m_daemon.waitForFinished(5000) && m_daemon.state() != QProcess::NotRunning) {
            return false;
        }
        return startDaemon() && queuesAsMade() && m_relay->listen();
    }

    // Takes a queue away (lpadmin -x), and puts one of the queues above back as it was made.
    bool removePrinter(const QString& queue) {
        m_removed.insert(queue);
        return admin({QStringLiteral("-x"), queue});
    }
    bool addPrinter(const QString& queue) {
        for (const Queue& known : kQueues) {
            if (queue == QLatin1String(known.name)) {
                m_removed.remove(queue);
                return add(known);
            }
        }
        return false;
    }

    // An lpoptions instance, "queue/instance", with options of its own ("number-up=2
    // job-priority=80"), as lpoptions -p would keep it. libcups reads the file at each look for
    // destinations.
    bool addInstance(const QString& destination, const QString& options) {
        QFile file(clientFolder() + QStringLiteral("/lpoptions"));
        return file.open(QIODevice::Append) &&
               file.write("Dest " + destination.toUtf8() + ' ' + options.toUtf8() + '\n') > 0;
    }

    // Every job the service knows, the oldest first, asked on its own socket (not through the
    // relay) within a short limit; nothing when it does not answer.
    std::optional<std::vector<Job>> jobs() const {
        static const char* const kAsked[] = {"job-id",    "job-state",   "job-printer-uri",
                                             "job-name",  "media",       "copies",
                                             "number-up", "job-priority"};
        const Ipp answer = ask([] {
            ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                         "ipp://localhost/");
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
            ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                          static_cast<int>(std::size(kAsked)), nullptr, kAsked);
            return request;
        });
        if (!succeeded(answer)) {
            return std::nullopt;
        }
        std::vector<Job> found;
        for (const auto& attributes : groupsOf(answer.get(), IPP_TAG_JOB)) {
            Job& job = found.emplace_back();
            for (ipp_attribute_t* attribute : attributes) {
                const std::string_view name = ippGetName(attribute);
                const int number = ippGetInteger(attribute, 0);
                const QString text = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
                if (name == "job-id") {
                    job.id = number;
                } else if (name == "job-state") {
                    job.state = static_cast<ipp_jstate_t>(number);
                } else if (name == "job-printer-uri") {
                    job.queue = text.section(QLatin1Char('/'), -1);
                } else if (name == "job-name") {
                    job.name = text;
                } else if (name == "media") {
                    job.media = text;
                } else if (name == "copies") {
                    job.copies = number;
                } else if (name == "number-up") {
                    job.numberUp = number;
                } else if (name == "job-priority") {
                    job.priority = number;
                }
            }
        }
        std::sort(found.begin(), found.end(),
                  [](const Job& a, const Job& b) { return a.id < b.id; });
        return found;
    }
    std::optional<Job> job(int id) const {
        if (auto all = jobs()) {
            for (const Job& known : *all) {
                if (known.id == id) {
                    return known;
                }
            }
        }
        return std::nullopt;
    }
    std::optional<JobCounts> jobCounts() const {
        const auto all = jobs();
        if (!all) {
            return std::nullopt;
        }
        JobCounts counts;
        for (const Job& known : *all) {
            ++counts.all;
            switch (known.state) {
            case IPP_JSTATE_HELD:
                ++counts.held;
                break;
            case IPP_JSTATE_COMPLETED:
                ++counts.completed;
                break;
            case IPP_JSTATE_CANCELED:
            case IPP_JSTATE_ABORTED:
                ++counts.failed;
                break;
            default:
                ++counts.pending;
                break;
            }
        }
        return counts;
    }

    // The socket the program under test is pointed at: the relay's.
    QString socket;
    // cupsd's own, for the test's own questions and tools.
    QString serviceSocket;

private:
    struct Queue {
        const char* name;
        const char* ppd; // in the folder of printer descriptions; none for a raw queue
        bool accepting;
        bool enabled;
    };
    static constexpr Queue kQueues[] = {
        {"letter", "letter-default.ppd", true, true},
        {"letteronly", "letter-only.ppd", true, true},
        {"rejecting", nullptr, false, true},
        {"stopped", nullptr, true, false},
    };
    static constexpr int kConnectMilliseconds = 2000;
    static constexpr double kRequestSeconds = 3.0;

    struct HttpCloser {
        void operator()(http_t* http) const { httpClose(http); }
    };
    using Http = std::unique_ptr<http_t, HttpCloser>;
    struct IppDeleter {
        void operator()(ipp_t* ipp) const { ippDelete(ipp); }
    };
    using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

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
    QString clientFolder() const { return m_folder.path() + QStringLiteral("/client"); }

    // Starts cupsd and waits until it answers: its socket may be there already, left by the
    // service that was killed.
    bool startDaemon() {
        const QString root = m_folder.path();
        // The test's own client settings are not the service's.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("CUPS_SERVER"));
        environment.remove(QStringLiteral("CUPS_SERVERROOT"));
        m_daemon.setProcessEnvironment(environment);
        m_daemon.start(cupsdProgram(), {QStringLiteral("-f"), QStringLiteral("-c"),
                                        root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                                        root + QStringLiteral("/cups-files.conf")});
        if (!m_daemon.waitForStarted()) {
            return false;
        }
        m_pid = static_cast<pid_t>(m_daemon.processId());
        return QTest::qWaitFor(
            [this] {
                return ask([] { return ippNewRequest(IPP_OP_CUPS_GET_DEFAULT); }) != nullptr;
            },
            10000);
    }

    // Sends `signal` to cupsd and waits until it took effect: stopped, or dead. Called from the
    // relay's threads too, hence the process id kept apart from QProcess.
    void signalDaemon(int signal) {
        // A killed daemon's number goes to another process once QProcess has reaped it.
        const pid_t pid = signal == SIGKILL ? m_pid.exchange(0) : m_pid.load();
        if (pid <= 0 || ::kill(pid, signal) != 0) {
            return;
        }
        const char awaited = signal == SIGSTOP ? 'T' : signal == SIGKILL ? 'Z' : '\0';
        for (int tries = 0; awaited != '\0' && tries < 5000; ++tries) {
            const char state = processState(pid);
            if (state == awaited || state == '\0') {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    // The state letter in /proc/<pid>/stat ("R", "S", "T", "Z"); none once the process is gone.
    static char processState(pid_t pid) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) {
            return '\0';
        }
        const QByteArray line = stat.readAll();
        const qsizetype end = line.lastIndexOf(')'); // the program's name may hold anything
        return end >= 0 && end + 2 < line.size() ? line[end + 2] : '\0';
    }

    // The service's answer to the request `make` returns, asked on its own socket within a short
    // limit; none when it does not answer. All of it on a thread of its own:
    // libcups keeps its settings per thread, read at the thread's first call, and those of the
    // test's thread must be the ones the test sets (clientEnvironment()), whenever it sets them.
    Ipp ask(const std::function<ipp_t*()>& make) const {
        Ipp answer;
        const std::string path = serviceSocket.toStdString();
        std::thread([&] {
            const Http http(httpConnect2(path.c_str(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER,
                                         1, kConnectMilliseconds, nullptr));
            if (http) {
                httpSetTimeout(
                    http.get(), kRequestSeconds, [](http_t*, void*) { return 0; }, nullptr);
                answer.reset(cupsDoRequest(http.get(), make(), "/"));
            }
        }).join();
        return answer;
    }
    static bool succeeded(const Ipp& answer) {
        return answer && ippGetStatusCode(answer.get()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    }

    // Whether every queue not taken away is back, taking jobs and enabled as it was made.
    bool queuesAsMade() const {
        static const char* const kAsked[] = {"printer-name", "printer-is-accepting-jobs",
                                             "printer-state"};
        const Ipp answer = ask([] {
            ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
            ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                          static_cast<int>(std::size(kAsked)), nullptr, kAsked);
            return request;
        });
        if (!succeeded(answer)) {
            return false;
        }
        QStringList expected;
        for (const Queue& queue : kQueues) {
            if (!m_removed.contains(QLatin1String(queue.name))) {
                expected << describe(queue.name, queue.accepting, queue.enabled);
            }
        }
        QStringList found;
        for (const auto& attributes : groupsOf(answer.get(), IPP_TAG_PRINTER)) {
            QString name;
            bool accepting = false;
            bool enabled = false;
            for (ipp_attribute_t* attribute : attributes) {
                const std::string_view attributeName = ippGetName(attribute);
                if (attributeName == "printer-name") {
                    name = QString::fromUtf8(ippGetString(attribute, 0, nullptr));
                } else if (attributeName == "printer-is-accepting-jobs") {
                    accepting = ippGetBoolean(attribute, 0) != 0;
                } else if (attributeName == "printer-state") {
                    enabled = ippGetInteger(attribute, 0) != IPP_PSTATE_STOPPED;
                }
            }
            found << describe(name, accepting, enabled);
        }
        expected.sort();
        found.sort();
        return found == expected;
    }
    static QString describe(const QString& queue, bool accepting, bool enabled) {
        return queue + (accepting ? QStringLiteral(" accepting") : QStringLiteral(" rejecting")) +
               (enabled ? QStringLiteral(" enabled") : QStringLiteral(" disabled"));
    }

    // The attributes of an answer, a list for each object of `group` (printer, job): objects
    // are set apart by separators, which are attributes without a name.
    static std::vector<std::vector<ipp_attribute_t*>> groupsOf(ipp_t* answer, ipp_tag_t group) {
        std::vector<std::vector<ipp_attribute_t*>> groups;
        bool inGroup = false;
        for (ipp_attribute_t* attribute = ippFirstAttribute(answer); attribute != nullptr;
             attribute = ippNextAttribute(answer)) {
            if (ippGetGroupTag(attribute) != group || ippGetName(attribute) == nullptr) {
                inGroup = false;
                continue;
            }
            if (!inGroup) {
                groups.emplace_back();
                inGroup = true;
            }
            groups.back().push_back(attribute);
        }
        return groups;
    }

    bool run(const QString& program, const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CUPS_SERVER"), serviceSocket);
        environment.insert(QStringLiteral("CUPS_SERVERROOT"), clientFolder());
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("/usr/sbin/") + program, arguments);
        return tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit &&
               tool.exitCode() == 0;
    }
    bool admin(const QStringList& arguments) { return run(QStringLiteral("lpadmin"), arguments); }
    bool add(const Queue& queue) {
        const QString name = QLatin1String(queue.name);
        QStringList arguments = {QStringLiteral("-p"), name, QStringLiteral("-E"),
                                 QStringLiteral("-v"), QStringLiteral("file://") + out(name)};
        if (queue.ppd != nullptr) {
            arguments << QStringLiteral("-P") << m_ppdFolder + '/' + QLatin1String(queue.ppd);
        }
        return admin(arguments) && (queue.accepting || run(QStringLiteral("cupsreject"), {name})) &&
               (queue.enabled || run(QStringLiteral("cupsdisable"), {name}));
    }

    QString m_ppdFolder;
    QTemporaryDir m_folder;
    QProcess m_daemon;
    std::atomic<pid_t> m_pid{0};
    std::unique_ptr<ServiceRelay> m_relay;
    QSet<QString> m_removed;
    bool m_running = false;
    QString m_whyNot;
};

} // namespace parvelin::test
