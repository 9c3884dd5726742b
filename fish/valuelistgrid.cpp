#include "valuelistgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

constexpr int kKeyColumn = 0;
constexpr int kValueColumn = 1;

// Gives the typed text to the grid's validator before it reaches the cell.
class ValidatingDelegate : public QStyledItemDelegate
{
public:
    ValidatingDelegate(std::function<QString(const QString &)> *validator, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_validator(validator)
    {
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        const QString text = *m_validator ? (*m_validator)(line->text()) : line->text();
        model->setData(index, text, Qt::EditRole);
    }

private:
    std::function<QString(const QString &)> *m_validator;
};

} // namespace

ValueListGrid::ValueListGrid(const QStringList &keys, const QString &initialValue, QWidget *parent)
    : QTableWidget(int(keys.size()), 2, parent)
{
    setItemDelegate(new ValidatingDelegate(&m_validator, this));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const QBrush fixed = palette().button();
    for (int row = 0; row < rowCount(); ++row) {
        // Keys can be read but never edited or selected.
        auto *k = new QTableWidgetItem(keys[row]);
        k->setFlags(Qt::ItemIsEnabled);
        k->setBackground(fixed);
        setItem(row, kKeyColumn, k);
        auto *v = new QTableWidgetItem(initialValue);
        v->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        setItem(row, kValueColumn, v);
    }
}

void ValueListGrid::setTitles(const QString &keyTitle, const QString &valueTitle)
{
    setHorizontalHeaderLabels({keyTitle, valueTitle});
}

void ValueListGrid::setValidator(std::function<QString(const QString &)> validator)
{
    m_validator = std::move(validator);
}

QString ValueListGrid::key(int row) const
{
    return item(row, kKeyColumn)->text();
}

QString ValueListGrid::value(int row) const
{
    return item(row, kValueColumn)->text();
}

void ValueListGrid::setValue(int row, const QString &value)
{
    item(row, kValueColumn)->setText(value);
}

void ValueListGrid::setAllValues(const QString &value)
{
    cancelPendingEdit();
    for (int row = 0; row < rowCount(); ++row)
        setValue(row, value);
}

QStringList ValueListGrid::values() const
{
    QStringList list;
    list.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        list.append(value(row));
    return list;
}

void ValueListGrid::selectDataRow(int row)
{
    m_selectedSignalled = false;
    setCurrentCell(row, kValueColumn);
    if (!m_selectedSignalled && row >= 0 && row < rowCount()) {
        m_shownRow = row;
        Q_EMIT rowSelected(row, key(row));
    }
}

void ValueListGrid::commitPendingEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    // indexWidget() also answers the editor the delegate opened.
    QWidget *editor = indexWidget(currentIndex());
    if (!editor)
        return;
    commitData(editor);
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void ValueListGrid::cancelPendingEdit()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex()))
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void ValueListGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The cursor always stands in the value column.
    if (current.isValid() && current.column() != kValueColumn) {
        setCurrentIndex(model()->index(current.row(), kValueColumn));
        return;
    }
    QTableWidget::currentChanged(current, previous);
    if (current.isValid() && current.row() != m_shownRow) {
        m_shownRow = current.row();
        m_selectedSignalled = true;
        Q_EMIT rowSelected(current.row(), key(current.row()));
    }
}

void ValueListGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const int row = currentRow();
    switch (hint) {
    case QAbstractItemDelegate::SubmitModelCache: // Enter
    case QAbstractItemDelegate::EditNextItem:     // Tab
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveToRow(row + 1);
        break;
    case QAbstractItemDelegate::EditPreviousItem: // Shift+Tab
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveToRow(row - 1);
        break;
    default:
        QTableWidget::closeEditor(editor, hint);
        break;
    }
}

void ValueListGrid::keyPressEvent(QKeyEvent *event)
{
    // Outside an edit, Enter moves on like Tab does.
    if (state() != QAbstractItemView::EditingState
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers() == Qt::NoModifier) {
        moveToRow(currentRow() + 1);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void ValueListGrid::moveToRow(int row)
{
    if (row >= 0 && row < rowCount())
        setCurrentCell(row, kValueColumn);
}
