#pragma once

#include "applicants/ListedFile.h"

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace parvelin::app {

// The rows of the applicants window: one listed data file each, in the columns the clerk reads.
// A file that holds another file's numbers is marked (a warning icon and a tint, the reasons in
// its tooltip); one that did not open shows its cause in place of the name (in the tooltip with
// the file's path, as Open says it).
class ApplicantTable final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Sequence, Name, Pinyin, IdNumber, GroupNumber, SavedAt, FileName, ColumnCount };

    explicit ApplicantTable(QObject* parent = nullptr);

    // The files of `folder` (file system bytes), replacing the rows.
    void setFiles(std::string folder, std::vector<applicants::ListedFile> files);

    const std::string& folder() const { return m_folder; }
    const std::vector<applicants::ListedFile>& files() const { return m_files; }
    // The path of a row's file in the file system's bytes.
    std::string pathOf(int row) const;
    // The files of `rows` read again (applicants::listAgain): the rows and marks show what the
    // files hold now. The files that changed, as they were listed.
    std::vector<applicants::ListedChange> readAgain(const std::vector<int>& rows);

    // The rows in the order of `column`: numbers as numbers, 保存时间 by the time.
    bool sortsBefore(int left, int right, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::string m_folder;
    std::vector<applicants::ListedFile> m_files;
};

// The table as shown: sorted by the clicked column, and only the rows that match the filter text
// (applicants::matchesFilter).
class ApplicantFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ApplicantFilter(ApplicantTable& table, QObject* parent = nullptr);

    void setFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ApplicantTable& m_table;
    std::string m_typed; // UTF-8
};

} // namespace parvelin::app
