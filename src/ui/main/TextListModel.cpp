#include "ui/main/TextListModel.h"

#include <utility>

TextListModel::TextListModel(const std::vector<std::string>* rows, QString header, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), header_(std::move(header)) {}

int TextListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !rows_) return 0;
    return static_cast<int>(rows_->size());
}

int TextListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !rows_ || index.row() < 0 || static_cast<size_t>(index.row()) >= rows_->size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return QString::fromStdString((*rows_)[static_cast<size_t>(index.row())]);
    return {};
}

QVariant TextListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) return header_;
    return {};
}

Qt::ItemFlags TextListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;   // never editable
}

void TextListModel::reload() {
    beginResetModel();
    endResetModel();
}
