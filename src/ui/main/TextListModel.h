#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

// A one-column table model over a list of texts that its owner keeps and refills.
// The owner calls reload() after each refill; the model never copies the texts.
class TextListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TextListModel(const std::vector<std::string>* rows, QString header, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the views that every row may have changed.
    void reload();

private:
    const std::vector<std::string>* rows_;
    QString header_;
};
