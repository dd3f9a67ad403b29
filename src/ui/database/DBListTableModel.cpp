#include "ui/database/DBListTableModel.h"

DBListTableModel::DBListTableModel(const std::vector<DBList_Model>* rows, QStringList columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(std::move(columns)) {}

int DBListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_->size());
}

int DBListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DBListTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const DBList_Model& row = (*rows_)[static_cast<size_t>(index.row())];
    const QString& id = columns_[index.column()];
    if (id == QLatin1String("Year")) return QString::fromStdString(row.Year);
    return QString::fromStdString(row.Name);
}

QVariant DBListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    return columns_[section];
}

void DBListTableModel::reload() {
    beginResetModel();
    endResetModel();
}
