#include "widgets/OpenFileDialog.h"

#include "disk/PathNames.h"
#include "widgets/QtText.h"

#include <sys/stat.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace parvelin::widgets {

namespace {

constexpr std::string_view kTitle = "打开";
constexpr std::string_view kFolderLabel = "查找范围(&I)：";
constexpr std::string_view kUp = "上一级";
constexpr std::string_view kNameLabel = "文件名(&N)：";
constexpr std::string_view kTypeLabel = "文件类型(&T)：";
constexpr std::string_view kOpen = "打开(&O)";
constexpr std::string_view kCancel = "取消";
constexpr std::string_view kNotFound = "找不到文件：";

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

// A typed path that names its folder itself: "/…", and on Windows "C:/…" or "C:\…" too.
bool isAbsolute(const QString& typed) {
#ifdef Q_OS_WIN
    if (typed.size() > 2 && typed[1] == QLatin1Char(':') &&
        (typed[2] == QLatin1Char('/') || typed[2] == QLatin1Char('\\'))) {
        return true;
    }
#endif
    return typed.startsWith(QLatin1Char('/'));
}

std::string localBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

OpenFileDialog::OpenFileDialog(QWidget* owner, const std::string& folder,
                               const QStringList& filters)
    : QDialog(owner) {
    setWindowTitle(qText(kTitle));
    m_folderBox = new QLineEdit(this);
    m_folderBox->setObjectName(QStringLiteral("folderEdit"));
    auto* upButton = new QToolButton(this);
    upButton->setText(qText(kUp));
    upButton->setToolTip(qText(kUp));
    upButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    m_entries = new QListWidget(this);
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(QStringLiteral("fileNameEdit"));
    m_filterBox = new QComboBox(this);
    m_filterBox->setObjectName(QStringLiteral("fileTypeCombo"));
    m_filterBox->addItems(filters);
    m_openButton = new QPushButton(qText(kOpen), this);
    auto* cancelButton = new QPushButton(qText(kCancel), this);
    // Return acts where it is pressed: in the name box it opens, in the folder box it goes to the
    // folder, on an entry it opens the entry. No default button takes it as well.
    m_openButton->setAutoDefault(false);
    cancelButton->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    const auto label = [this](std::string_view text, QWidget* buddy) {
        auto* made = new QLabel(qText(text), this);
        made->setBuddy(buddy);
        return made;
    };
    layout->addWidget(label(kFolderLabel, m_folderBox), 0, 0);
    layout->addWidget(m_folderBox, 0, 1);
    layout->addWidget(upButton, 0, 2);
    layout->addWidget(m_entries, 1, 0, 1, 3);
    layout->addWidget(label(kNameLabel, m_nameBox), 2, 0);
    layout->addWidget(m_nameBox, 2, 1);
    layout->addWidget(m_openButton, 2, 2);
    layout->addWidget(label(kTypeLabel, m_filterBox), 3, 0);
    layout->addWidget(m_filterBox, 3, 1);
    layout->addWidget(cancelButton, 3, 2);
    resize(560, 380);

    connect(upButton, &QToolButton::clicked, this,
            [this] { showFolder(disk::folderOf(m_folder)); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_openButton, &QPushButton::clicked, this, &OpenFileDialog::openTyped);
    connect(m_nameBox, &QLineEdit::returnPressed, this, &OpenFileDialog::openTyped);
    connect(m_folderBox, &QLineEdit::returnPressed, this, &OpenFileDialog::goToTypedFolder);
    connect(m_filterBox, &QComboBox::currentIndexChanged, this, &OpenFileDialog::relist);
    connect(m_entries, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < m_listed.size() &&
            !m_listed[row].isFolder) {
            m_nameBox->setText(QString::fromStdString(m_listed[row].shown));
        }
    });
    connect(m_entries, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = m_entries->row(item);
        if (row >= 0 && static_cast<std::size_t>(row) < m_listed.size()) {
            openEntry(m_listed[row]);
        }
    });

    std::string start = folder.empty() ? localBytes(QDir::homePath()) : folder;
    while (!isFolder(start) && start != "/") {
        start = disk::folderOf(start);
    }
    showFolder(start);
    m_nameBox->setFocus();
}

QStringList OpenFileDialog::listedNames() const {
    QStringList names;
    for (const disk::FolderEntry& entry : m_listed) {
        names.append(QString::fromStdString(entry.shown));
    }
    return names;
}

void OpenFileDialog::showFolder(const std::string& folder) {
    m_folder = folder;
    m_folderBox->setText(QString::fromStdString(disk::displayPath(folder)));
    relist();
}

void OpenFileDialog::relist() {
    const std::string filter = m_filterBox->currentText().toStdString();
    m_listed = disk::listFolder(m_folder, disk::suffixOfFilter(filter));
    m_entries->clear();
    for (const disk::FolderEntry& entry : m_listed) {
        const QIcon icon =
            style()->standardIcon(entry.isFolder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
        m_entries->addItem(new QListWidgetItem(icon, QString::fromStdString(entry.shown)));
    }
}

void OpenFileDialog::openEntry(const disk::FolderEntry& entry) {
    const std::string path = disk::pathIn(m_folder, entry.name);
    if (entry.isFolder) {
        m_nameBox->clear();
        showFolder(path);
        return;
    }
    m_chosen = path;
    accept();
}

// 打开, and Return in the name box: the entry of the name typed or chosen, or a folder or file
// path typed.
void OpenFileDialog::openTyped() {
    const QString typed = m_nameBox->text();
    if (typed.isEmpty()) {
        if (QListWidgetItem* current = m_entries->currentItem()) {
            openEntry(m_listed[static_cast<std::size_t>(m_entries->row(current))]);
        }
        return;
    }
    for (const disk::FolderEntry& entry : m_listed) {
        if (QString::fromStdString(entry.shown) == typed) {
            openEntry(entry);
            return;
        }
    }
    const std::string path =
        isAbsolute(typed) ? localBytes(typed) : disk::pathIn(m_folder, localBytes(typed));
    if (isFolder(path)) {
        m_nameBox->clear();
        showFolder(path);
    } else if (isFile(path)) {
        m_chosen = path;
        accept();
    } else {
        QMessageBox::warning(this, windowTitle(), qText(kNotFound) + typed);
        m_nameBox->selectAll();
    }
}

void OpenFileDialog::goToTypedFolder() {
    const std::string path = localBytes(m_folderBox->text());
    if (isFolder(path)) {
        showFolder(path);
        m_nameBox->setFocus();
    } else {
        QMessageBox::warning(this, windowTitle(), qText(kNotFound) + m_folderBox->text());
    }
}

} // namespace parvelin::widgets
