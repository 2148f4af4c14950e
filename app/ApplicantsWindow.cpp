#include "app/ApplicantsWindow.h"

#include "app/ApplicantTable.h"
#include "applicants/DayFolders.h"
#include "applicants/ListedFile.h"
#include "disk/PathNames.h"
#include "widgets/PlatformServices.h"
#include "widgets/QtText.h"

#include <algorithm>
#include <memory>
#include <set>
#include <variant>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace parvelin::app {

// What one reading in the background finds.
struct FolderReading {
    std::vector<std::string> dayFolders;
    std::variant<std::vector<applicants::ListedFile>, disk::FileError> listing;
};

namespace {

constexpr std::string_view kTitle = "申请人列表";
constexpr std::string_view kFolderLabel = "日期(&D)：";
constexpr std::string_view kFilterLabel = "查找(&F)：";
constexpr std::string_view kFilterHint = "姓名、拼音或号码";
constexpr std::string_view kToday = "（今天）";
constexpr std::string_view kReading = "正在读取…";
constexpr std::string_view kUnreadableFolder = "无法读取文件夹：";
constexpr std::string_view kChangedSinceListed =
    "以下数据文件在列出后已被修改，列表已按现在的内容更新：";
constexpr std::string_view kOpenAsItIsNow = "是否打开该文件现在保存的申请人？";
constexpr std::string_view kPreviewAsItIsNow = "是否按现在的内容打印预览？";
constexpr std::string_view kPrintAsItIsNow = "是否按现在的内容打印？";

std::string localBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QPushButton* button(std::string_view text, const char* name, QWidget* parent) {
    auto* made = new QPushButton(widgets::qText(text), parent);
    made->setObjectName(QLatin1String(name));
    // Return acts where it is pressed: on a row it opens the row. No button takes it as well.
    made->setAutoDefault(false);
    return made;
}

} // namespace

ApplicantsWindow::ApplicantsWindow(widgets::PlatformServices& services, const QString& dayFolder,
                                   QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_dayFolder(localBytes(QDir::cleanPath(dayFolder)))
    , m_shownFolder(m_dayFolder) {
    setWindowTitle(widgets::qText(kTitle));
    setModal(false);

    m_table = new ApplicantTable(this);
    m_filter = new ApplicantFilter(*m_table, this);

    m_folderBox = new QComboBox(this);
    m_folderBox->setObjectName(QStringLiteral("folderBox"));
    m_folderBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The widest label, "2012-05-17（今天）", with room to spare for its full-width brackets.
    m_folderBox->setMinimumContentsLength(18);
    m_filterBox = new QLineEdit(this);
    m_filterBox->setObjectName(QStringLiteral("filterBox"));
    m_filterBox->setPlaceholderText(widgets::qText(kFilterHint));
    m_filterBox->setClearButtonEnabled(true);
    m_filterBox->installEventFilter(this);
    auto* folderLabel = new QLabel(widgets::qText(kFolderLabel), this);
    folderLabel->setBuddy(m_folderBox);
    auto* filterLabel = new QLabel(widgets::qText(kFilterLabel), this);
    filterLabel->setBuddy(m_filterBox);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("applicantTable"));
    m_view->setModel(m_filter);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(ApplicantTable::Sequence, Qt::AscendingOrder);
    m_view->setWordWrap(false);
    // Tab goes on to the buttons; the arrow keys move between the rows.
    m_view->setTabKeyNavigation(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    // Room for what each column holds at most: a sequence number with its mark, a long name, an
    // identity number of 18 characters, a group number of 16, a date and time.
    const QFontMetrics metrics = m_view->fontMetrics();
    const auto width = [&metrics](const char* sample) {
        return metrics.horizontalAdvance(QString::fromUtf8(sample)) +
               2 * metrics.averageCharWidth();
    };
    const int mark = style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int widths[] = {width("个人序号 ") + mark, width("买买提·艾力"),
                          width("MAIMAITI·AILI"),    width("11010519491231002X"),
                          width("0000130122012035"), width("2012-05-17 00:00:00")};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column) {
        m_view->setColumnWidth(column, widths[column]);
    }

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_openButton = button("打开", "openButton", this);
    m_previewButton = button("打印预览", "previewButton", this);
    m_printButton = button("打印", "printButton", this);
    QPushButton* refreshButton = button("刷新", "refreshButton", this);
    QPushButton* closeButton = button("关闭", "closeButton", this);

    auto* choices = new QHBoxLayout;
    choices->addWidget(folderLabel);
    choices->addWidget(m_folderBox);
    choices->addSpacing(16);
    choices->addWidget(filterLabel);
    choices->addWidget(m_filterBox, 1);
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_status, 1);
    for (QPushButton* command :
         {m_openButton, m_previewButton, m_printButton, refreshButton, closeButton}) {
        commands->addWidget(command);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_view, 1);
    layout->addLayout(commands);

    // The table whole, with a file name as Save proposes it for a long name, and the frames.
    int tableWidth = width("000013012201203533_买买提·艾力.zbdw") + 4 * mark;
    for (const int w : widths) {
        tableWidth += w;
    }
    // Fourteen rows in view, below the choices and above the commands.
    constexpr int kTableRows = 14;
    const int controls = 2 * m_filterBox->sizeHint().height() + 4 * layout->spacing() +
                         m_view->horizontalHeader()->sizeHint().height() + 2 * mark;
    resize(tableWidth, kTableRows * m_view->verticalHeader()->defaultSectionSize() + controls);

    connect(m_folderBox, &QComboBox::currentIndexChanged, this, &ApplicantsWindow::chooseFolder);
    connect(m_filterBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setFilterText(text);
        updateStatus();
        updateButtons();
    });
    connect(m_view, &QTableView::activated, this,
            [this](const QModelIndex& index) { openRow(m_filter->mapToSource(index).row()); });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ApplicantsWindow::updateButtons);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &ApplicantsWindow::updateButtons);
    // The cause of a file that did not open takes the room of the columns it leaves empty.
    const auto spanAgain = [this] { spanCauses(); };
    connect(m_filter, &QAbstractItemModel::modelReset, this, spanAgain);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, spanAgain);
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, spanAgain);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, spanAgain);
    connect(m_filter, &QAbstractItemModel::dataChanged, this, spanAgain);
    connect(m_openButton, &QPushButton::clicked, this, [this] {
        if (const std::vector<int> rows = selectedRows(); rows.size() == 1) {
            openRow(rows.front());
        }
    });
    connect(m_previewButton, &QPushButton::clicked, this, [this] { print(true); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { print(false); });
    connect(refreshButton, &QPushButton::clicked, this, &ApplicantsWindow::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    fillFolderChoices({});
    updateButtons();
    m_filterBox->setFocus();
}

ApplicantsWindow::~ApplicantsWindow() = default;

void ApplicantsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Shown by the program, not uncovered or restored on the desktop: what was saved meanwhile
    // is listed.
    if (!event->spontaneous()) {
        refresh();
    }
}

bool ApplicantsWindow::eventFilter(QObject* watched, QEvent* event) {
    // Down or Return in the filter box goes to the rows it left, the first one current.
    if (watched == m_filterBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) &&
            m_filter->rowCount() > 0) {
            m_view->setFocus(Qt::TabFocusReason);
            if (!m_view->selectionModel()->hasSelection()) {
                m_view->selectRow(0);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ApplicantsWindow::refresh() {
    const std::uint64_t reading = ++m_reading;
    m_readingDone = false;
    updateStatus();
    auto found = std::make_shared<FolderReading>();
    const std::string folder = m_shownFolder;
    QThread* reader = QThread::create([found, folder, day = m_dayFolder] {
        found->dayFolders = applicants::dayFoldersBeside(day);
        found->listing = applicants::listDataFiles(folder);
    });
    // The thread says it has finished from itself; the window takes the result in its own thread,
    // if it is still there and the result still wanted.
    connect(
        reader, &QThread::finished, this,
        [this, reading, folder, found] {
            if (reading == m_reading) {
                showReading(folder, std::move(*found));
            }
        },
        Qt::QueuedConnection);
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    reader->start();
}

void ApplicantsWindow::chooseFolder(int index) {
    const std::string chosen = m_folderBox->itemData(index).toByteArray().toStdString();
    if (chosen == m_shownFolder) {
        return;
    }
    // Nothing of the folder left stays on show, to be opened or printed by mistake.
    m_shownFolder = chosen;
    m_folderError.reset();
    m_table->setFiles(chosen, {});
    refresh();
}

void ApplicantsWindow::showReading(const std::string& folder, FolderReading reading) {
    m_readingDone = true;
    fillFolderChoices(reading.dayFolders);
    if (auto* error = std::get_if<disk::FileError>(&reading.listing)) {
        m_folderError = disk::describe(*error);
        m_table->setFiles(folder, {});
    } else {
        m_folderError.reset();
        // The rows selected stay selected where their files are still there.
        std::set<std::string> selected;
        for (const int row : selectedRows()) {
            selected.insert(m_table->files()[static_cast<std::size_t>(row)].fileName);
        }
        m_table->setFiles(
            folder, std::get<std::vector<applicants::ListedFile>>(std::move(reading.listing)));
        QItemSelection kept;
        for (int row = 0; row < m_table->rowCount(); ++row) {
            if (selected.contains(m_table->files()[static_cast<std::size_t>(row)].fileName)) {
                const QModelIndex shown = m_filter->mapFromSource(m_table->index(row, 0));
                if (shown.isValid()) {
                    kept.select(shown, shown);
                }
            }
        }
        m_view->selectionModel()->select(kept,
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    updateStatus();
    updateButtons();
}

void ApplicantsWindow::fillFolderChoices(const std::vector<std::string>& dayFolders) {
    std::vector<std::string> folders{m_dayFolder};
    for (const std::string& folder : dayFolders) {
        if (folder != m_dayFolder) {
            folders.push_back(folder);
        }
    }
    if (std::find(folders.begin(), folders.end(), m_shownFolder) == folders.end()) {
        folders.push_back(m_shownFolder); // chosen before, gone since: its error is shown
    }
    const QSignalBlocker quiet(m_folderBox);
    m_folderBox->clear();
    for (const std::string& folder : folders) {
        m_folderBox->addItem(folderLabel(folder), QByteArray::fromStdString(folder));
        if (folder == m_shownFolder) {
            m_folderBox->setCurrentIndex(m_folderBox->count() - 1);
        }
    }
    m_folderBox->setToolTip(QString::fromStdString(disk::displayPath(m_shownFolder)));
}

QString ApplicantsWindow::folderLabel(const std::string& folder) const {
    QString label = QString::fromStdString(disk::displayFileName(disk::fileNameOf(folder)));
    const record::GbkString today = record::formatDate(m_services.clock().now().localDate);
    if (folder == m_dayFolder && disk::fileNameOf(folder) == today) {
        label += widgets::qText(kToday);
    }
    return label;
}

std::vector<int> ApplicantsWindow::selectedRows() const {
    QModelIndexList shown = m_view->selectionModel()->selectedRows();
    std::sort(shown.begin(), shown.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int> rows;
    for (const QModelIndex& index : shown) {
        rows.push_back(m_filter->mapToSource(index).row());
    }
    return rows;
}

void ApplicantsWindow::openRow(int row) {
    if (row < 0 || !m_table->files()[static_cast<std::size_t>(row)].applicant) {
        return;
    }
    if (const std::vector<ChosenFile> chosen = filesAsTheyAreNow({row}, Command::Open);
        chosen.size() == 1) {
        emit openRequested(chosen.front());
    }
}

void ApplicantsWindow::print(bool preview) {
    std::vector<int> rows;
    for (const int row : selectedRows()) {
        if (m_table->files()[static_cast<std::size_t>(row)].applicant) {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        return;
    }
    if (const std::vector<ChosenFile> chosen =
            filesAsTheyAreNow(rows, preview ? Command::Preview : Command::Print);
        !chosen.empty()) {
        emit printRequested(chosen, preview);
    }
}

// The files of rows that opened when listed, read again: those that are still the files listed,
// and those that changed where the clerk confirms what they hold now. Nothing where the clerk
// declines, or where none of them opens any more.
std::vector<ChosenFile> ApplicantsWindow::filesAsTheyAreNow(const std::vector<int>& rows,
                                                            Command command) {
    const std::vector<applicants::ListedChange> changes = m_table->readAgain(rows);
    std::vector<ChosenFile> chosen;
    for (const int row : rows) {
        if (const auto& read = m_table->files()[static_cast<std::size_t>(row)].read) {
            chosen.push_back({m_table->pathOf(row), *read});
        }
    }
    if (changes.empty()) {
        return chosen;
    }
    updateStatus();
    updateButtons();
    std::string text(kChangedSinceListed);
    for (const applicants::ListedChange& change : changes) {
        text += "\n" + applicants::describeChange(change.before, m_table->files()[change.index]);
    }
    if (chosen.empty()) {
        m_services.showNotice(this, QString::fromStdString(text));
        return {};
    }
    const std::string_view question = command == Command::Open      ? kOpenAsItIsNow
                                      : command == Command::Preview ? kPreviewAsItIsNow
                                                                    : kPrintAsItIsNow;
    text += "\n" + std::string(question);
    if (m_services.ask(this, QString::fromStdString(text),
                       widgets::PlatformServices::Buttons::YesNo) !=
        widgets::PlatformServices::Answer::Yes) {
        return {};
    }
    return chosen;
}

void ApplicantsWindow::spanCauses() {
    m_view->clearSpans();
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        const int file = m_filter->mapToSource(m_filter->index(row, 0)).row();
        if (!m_table->files()[static_cast<std::size_t>(file)].applicant) {
            m_view->setSpan(row, ApplicantTable::Name, 1,
                            ApplicantTable::SavedAt - ApplicantTable::Name);
        }
    }
}

void ApplicantsWindow::updateButtons() {
    const std::vector<int> rows = selectedRows();
    const auto opened = [this](int row) {
        return m_table->files()[static_cast<std::size_t>(row)].applicant.has_value();
    };
    m_openButton->setEnabled(rows.size() == 1 && opened(rows.front()));
    const bool printable = std::any_of(rows.begin(), rows.end(), opened);
    m_previewButton->setEnabled(printable);
    m_printButton->setEnabled(printable);
}

void ApplicantsWindow::showStatusNote(const QString& text) {
    m_status->setText(text);
}

void ApplicantsWindow::updateStatus() {
    if (!m_readingDone) {
        m_status->setText(widgets::qText(kReading));
        return;
    }
    if (m_folderError) {
        m_status->setText(widgets::qText(kUnreadableFolder) +
                          QString::fromStdString(*m_folderError));
        return;
    }
    const std::vector<applicants::ListedFile>& files = m_table->files();
    const auto count = [&files](auto predicate) {
        return std::count_if(files.begin(), files.end(), predicate);
    };
    QString text = QStringLiteral("共 %1 个数据文件").arg(files.size());
    if (m_filter->rowCount() != m_table->rowCount()) {
        text += QStringLiteral("，显示 %1 个").arg(m_filter->rowCount());
    }
    if (const auto marked = count([](const auto& file) { return !file.duplicates.empty(); })) {
        text += QStringLiteral("，%1 个与其他文件重复").arg(marked);
    }
    if (const auto broken = count([](const auto& file) { return !file.applicant; })) {
        text += QStringLiteral("，%1 个无法打开").arg(broken);
    }
    m_status->setText(text);
}

} // namespace parvelin::app
