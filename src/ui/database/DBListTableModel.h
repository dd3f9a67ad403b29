#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "ui/database/DBList_Model.h"

// A read-only table over a list of DBList_Model rows kept by the window. Each column
// shows the row's property named by the column's identifier ("Name" or "Year").
class DBListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DBListTableModel(const std::vector<DBList_Model>* rows, QStringList columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Shows the rows as they are now.
    void reload();

private:
    const std::vector<DBList_Model>* rows_;
    QStringList columns_;
};
