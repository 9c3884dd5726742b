#pragma once

#include <QTableWidget>

#include <functional>

// A two-column value list: a fixed column of keys and one column of values
// the user edits like a spreadsheet (typing replaces the value, Enter or Tab
// commits and moves to the next row, Escape cancels). Data rows count from
// 0; the column titles are the header, not a row.
class ValueListGrid : public QTableWidget
{
    Q_OBJECT

public:
    ValueListGrid(const QStringList &keys, const QString &initialValue, QWidget *parent = nullptr);

    void setTitles(const QString &keyTitle, const QString &valueTitle);
    // Applied to the typed text when an edit completes; the cell takes the
    // result.
    void setValidator(std::function<QString(const QString &)> validator);

    int keyCount() const { return rowCount(); }
    QString key(int row) const;
    QString value(int row) const;
    void setValue(int row, const QString &value);
    void setAllValues(const QString &value);
    QStringList values() const;

    // Makes `row` the selected row; rowSelected is emitted even when it
    // already was.
    void selectDataRow(int row);
    // Completes an edit still open in a cell, as if the user had pressed
    // Enter, so readers of the values see what was typed.
    void commitPendingEdit();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // Drops an edit still open, so what was typed cannot later land on
    // values the program has replaced.
    void cancelPendingEdit();

Q_SIGNALS:
    // A row became the selected row, by the user or by the program.
    void rowSelected(int row, const QString &key);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void moveToRow(int row);

    std::function<QString(const QString &)> m_validator;
    bool m_selectedSignalled = false;
    int m_shownRow = -1; // the row rowSelected last announced
};
