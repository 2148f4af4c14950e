#include "app/ApplicantTable.h"

#include "disk/PathNames.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QIcon>
#include <QStyle>

namespace parvelin::app {

namespace {

constexpr std::string_view kHeaders[ApplicantTable::ColumnCount] = {
    "个人序号", "姓名", "姓名拼音", "证件号码", "团组号", "保存时间", "文件名",
};

// Light tints under the default text colour, which keeps its contrast on them: a file that holds
// another's numbers, and one that does not open.
constexpr QRgb kMarkedTint = 0xFFF2C6;
constexpr QRgb kBrokenTint = 0xF9DCDC;

constexpr std::int64_t kNanosecondsPerMillisecond = 1'000'000;

// A column's value of an opened file, as the record holds it (GBK).
record::GbkString valueOf(const record::MemberRecord& r, int column) {
    switch (column) {
    case ApplicantTable::Sequence:
        return r.personalSequence;
    case ApplicantTable::Name:
        return applicants::chineseName(r);
    case ApplicantTable::Pinyin:
        return applicants::pinyinName(r);
    case ApplicantTable::IdNumber:
        return r.idDocumentNumber;
    case ApplicantTable::GroupNumber:
        return r.groupNumber;
    default:
        return {};
    }
}

QString savedAt(const applicants::ListedFile& file) {
    return QDateTime::fromMSecsSinceEpoch(file.modifiedNanoseconds / kNanosecondsPerMillisecond)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The cause of a file that did not open without the file's path, which its row shows already.
std::string shortCause(const applicants::ListedFile& file, const std::string& path) {
    const std::string named = "（" + disk::displayPath(path) + "）";
    return file.failure.ends_with(named) && file.failure.size() > named.size()
               ? file.failure.substr(0, file.failure.size() - named.size())
               : file.failure;
}

} // namespace

ApplicantTable::ApplicantTable(QObject* parent)
    : QAbstractTableModel(parent) {}

void ApplicantTable::setFiles(std::string folder, std::vector<applicants::ListedFile> files) {
    beginResetModel();
    m_folder = std::move(folder);
    m_files = std::move(files);
    endResetModel();
}

std::string ApplicantTable::pathOf(int row) const {
    const std::string& name = m_files.at(static_cast<std::size_t>(row)).fileName;
    return disk::pathIn(m_folder, name);
}

std::vector<applicants::ListedChange> ApplicantTable::readAgain(const std::vector<int>& rows) {
    const std::vector<std::size_t> indices(rows.begin(), rows.end());
    std::vector<applicants::ListedChange> changes =
        applicants::listAgain(m_folder, m_files, indices);
    // A change of one file may mark or unmark any other.
    if (!changes.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    return changes;
}

bool ApplicantTable::sortsBefore(int left, int right, int column) const {
    const applicants::ListedFile& a = m_files[static_cast<std::size_t>(left)];
    const applicants::ListedFile& b = m_files[static_cast<std::size_t>(right)];
    switch (column) {
    case SavedAt:
        return a.modifiedNanoseconds < b.modifiedNanoseconds;
    case FileName:
        return applicants::sortsBefore(a.fileName, b.fileName);
    default:
        // A file that did not open has no values: it comes first.
        return applicants::sortsBefore(a.applicant ? valueOf(*a.applicant, column) : "",
                                       b.applicant ? valueOf(*b.applicant, column) : "");
    }
}

int ApplicantTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_files.size());
}

int ApplicantTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ApplicantTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const applicants::ListedFile& file = m_files[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == SavedAt) {
            return savedAt(file);
        }
        if (column == FileName) {
            return QString::fromStdString(disk::displayFileName(file.fileName));
        }
        if (!file.applicant) {
            return column == Name ? QString::fromStdString(shortCause(file, pathOf(index.row())))
                                  : QString();
        }
        return widgets::fromGbk(valueOf(*file.applicant, column));
    case Qt::ToolTipRole: {
        if (!file.applicant) {
            return QString::fromStdString(file.failure);
        }
        QStringList reasons;
        for (const std::string& reason : file.duplicates) {
            reasons.append(QString::fromStdString(reason));
        }
        return reasons.isEmpty() ? QVariant() : QVariant(reasons.join(QLatin1Char('\n')));
    }
    case Qt::DecorationRole:
        if (column != Sequence) {
            return {};
        }
        if (!file.applicant) {
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
        }
        if (!file.duplicates.empty()) {
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        }
        return {};
    case Qt::BackgroundRole:
        if (!file.applicant) {
            return QBrush(QColor(kBrokenTint));
        }
        if (!file.duplicates.empty()) {
            return QBrush(QColor(kMarkedTint));
        }
        return {};
    default:
        return {};
    }
}

QVariant ApplicantTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return widgets::qText(kHeaders[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

ApplicantFilter::ApplicantFilter(ApplicantTable& table, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_table(table) {
    setSourceModel(&table);
}

void ApplicantFilter::setFilterText(const QString& text) {
    const std::string typed = text.toStdString();
    if (typed == m_typed) {
        return;
    }
    m_typed = typed;
    invalidateFilter();
}

bool ApplicantFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return applicants::matchesFilter(m_table.files()[static_cast<std::size_t>(sourceRow)], m_typed);
}

bool ApplicantFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return m_table.sortsBefore(left.row(), right.row(), left.column());
}

} // namespace parvelin::app
