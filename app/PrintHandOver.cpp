#include "app/PrintHandOver.h"

#include "print/AnswerWithin.h"
#include "print/PrintJob.h"
#include "print/PrintReports.h"
#include "print/PrintService.h"
#include "print/qt/PrinterPages.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <chrono>
#include <future>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QPageSize>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>

namespace parvelin::app {

namespace {

constexpr std::chrono::milliseconds kProbeLimit{3000};
constexpr int kNoteAfterMilliseconds = 400;

// While the print service is asked, the windows go on painting and their timers go on; what the
// clerk types or clicks meanwhile waits until the answer is in (so that no second command starts
// inside the first), and after a moment a note says what is awaited.
class Waiting {
public:
    Waiting(QWidget* window, const QString& text)
        : m_note(text, QString(), 0, 0, window) {
        m_note.setWindowTitle(QCoreApplication::applicationName());
        m_note.setCancelButton(nullptr);
        m_note.setWindowModality(Qt::ApplicationModal);
        m_note.setMinimumDuration(kNoteAfterMilliseconds);
        m_note.setValue(0);
    }
    static void pump() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20); }

private:
    QProgressDialog m_note;
};

// The print service's question for the clerk's password, asked on the job's thread and put to
// the clerk on the window's (which is waiting for the job, and runs it there). A job given up
// meanwhile asks nobody.
std::function<std::optional<std::string>(const std::string&)>
passwordQuestion(widgets::PlatformServices& services, QWidget* window, const std::string& printer,
                 const std::shared_ptr<print::JobProgress>& progress) {
    const QPointer<QWidget> owner(window);
    return [&services, owner, printer, progress](const std::string& user) {
        auto promise = std::make_shared<std::promise<std::optional<std::string>>>();
        std::future<std::optional<std::string>> answer = promise->get_future();
        QMetaObject::invokeMethod(
            qApp,
            [&services, owner, printer, user, progress, promise] {
                std::optional<QString> password;
                if (!progress->givenUp) {
                    password = services.askPrinterPassword(owner, widgets::qText(printer),
                                                           widgets::qText(user));
                }
                promise->set_value(password ? std::optional(password->toStdString())
                                            : std::nullopt);
            },
            Qt::QueuedConnection);
        return answer.get();
    };
}

#ifdef Q_OS_WIN
// Windows: the spooler takes pages that Qt draws for the printer's driver, not a PDF document. The
// same job as elsewhere: on A4, named as on Linux, and what went wrong said.
bool printThroughDriver(QPrinter& printer, std::span<print::PrintJob> jobs,
                        const std::string& jobName,
                        const std::function<void(std::string_view)>& warn,
                        widgets::PlatformServices& services, QWidget* form,
                        const std::function<void(const QString&)>& tellSent) {
    const std::string printerName = printer.printerName().toStdString();
    const auto failed = [&](std::string_view cause) {
        services.showNotice(form, widgets::qText(print::jobFailedMessage(
                                      print::ServiceFault::Refused, cause, printerName, false)));
        return false;
    };
    printer.setDocName(QString::fromStdString(jobName));
    if (!printer.setPageSize(QPageSize(QPageSize::A4))) {
        return failed("打印机不支持 A4 纸");
    }
    const std::vector<barcode::DrawStatus> drawn = print::printFormPages(
        printer, jobs, [&warn](std::size_t, std::string_view message) { warn(message); });
    if (drawn.empty()) {
        return failed("打印机驱动不接受打印任务");
    }
    // The spooler's job number is not told to Qt's printer: the note says the rest.
    if (tellSent) {
        std::string note = print::jobSentNote(printerName, drawn.size(), printer.copyCount(), 0);
        note.erase(note.rfind("，任务"));
        tellSent(widgets::qText(note));
    }
    return true;
}
#endif

} // namespace

bool printServiceAnswers(widgets::PlatformServices& services, QWidget* form) {
    const auto service = services.printService();
    const std::optional<print::ServiceState> state = print::answerWithin<print::ServiceState>(
        std::min(kProbeLimit, service->patience()), &Waiting::pump,
        [service] { return service->state(); });
    if (state.value_or(print::ServiceState::Silent) == print::ServiceState::Silent) {
        services.showNotice(form, widgets::qText(print::kServiceSilent));
        return false;
    }
    return true;
}

bool handOverToPrintService(QPrinter& printer, std::span<print::PrintJob> jobs,
                            const std::string& jobName,
                            const std::function<void(std::string_view)>& warn,
                            widgets::PlatformServices& services, QWidget* form, QWidget* window,
                            const std::function<void(const QString&)>& tellSent) {
#ifdef Q_OS_WIN
    static_cast<void>(window);
    return printThroughDriver(printer, jobs, jobName, warn, services, form, tellSent);
#endif
    const std::string printerName = printer.printerName().toStdString();
    const auto failed = [&](print::ServiceFault fault, std::string_view cause, bool mayPrint) {
        services.showNotice(
            form, widgets::qText(print::jobFailedMessage(fault, cause, printerName, mayPrint)));
        return false;
    };
    const auto service = services.printService();
    const std::string queue = print::splitPrinterName(printerName).queue;

    std::optional<print::MediaReport> media;
    {
        Waiting waiting(window, QStringLiteral("正在询问打印机 %1…").arg(printer.printerName()));
        media = print::answerWithin<print::MediaReport>(
            service->patience(), &Waiting::pump,
            [service, queue] { return service->mediaOf(queue); });
    }
    if (!media || media->fault != print::ServiceFault::None) {
        return media ? failed(media->fault, media->cause, false)
                     : failed(print::ServiceFault::Silent, {}, false);
    }
    const bool fitToPaper = !print::offersA4(media->media);
    if (fitToPaper) {
        enum { Scale, Cancel };
        const int answer = services.choose(
            window, widgets::qText(print::noA4Question(printerName)),
            {widgets::qText(print::kScaleToPaper), widgets::qText(print::kCancelPrint)});
        if (answer != Scale) {
            return true; // nothing printed, as the clerk chose; nothing failed
        }
    }

    std::optional<print::PrintRequest> request =
        print::printRequestFor(printer, jobs, jobName, fitToPaper, warn);
    if (!request) {
        return failed(print::ServiceFault::Refused, "无法生成打印页面", false);
    }
    const auto progress = std::make_shared<print::JobProgress>();
    request->askPassword = passwordQuestion(services, window, printerName, progress);
    std::optional<print::JobReport> report;
    {
        Waiting waiting(window, QStringLiteral("正在送往打印机 %1…").arg(printer.printerName()));
        report = print::answerWithin<print::JobReport>(
            service->patience(), &Waiting::pump,
            [service, request = std::move(*request), progress] {
                return service->submit(request, *progress);
            });
    }
    if (!report) {
        // Given up first, then asked how far the document went: the job either sees this and
        // stops short of its last bytes, or has sent them and is said to have.
        progress->givenUp = true;
        return failed(print::ServiceFault::Silent, {}, progress->mayPrint);
    }
    switch (report->outcome) {
    case print::JobReport::Outcome::Taken:
        if (tellSent) {
            tellSent(widgets::qText(
                print::jobSentNote(printerName, jobs.size(), printer.copyCount(), report->jobId)));
        }
        return true;
    case print::JobReport::Outcome::Waiting:
        services.showNotice(form,
                            widgets::qText(print::printWaitingMessage(report->cause, printerName)));
        return true;
    case print::JobReport::Outcome::Failed:
        break;
    }
    return failed(report->fault, report->cause, progress->mayPrint);
}

} // namespace parvelin::app
