#include "grid_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableWidget>

namespace quillon {

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void setCellText(QTableWidget* grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

GridEditor::GridEditor(QTableWidget* grid)
    : QObject(grid), grid_(grid), edit_(new QLineEdit(grid->viewport())) {
    edit_->setObjectName("TxtGrid");
    edit_->setFrame(false);
    edit_->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->installEventFilter(this);
    edit_->installEventFilter(this);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { commit(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { commit(); });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { commit(); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { open({}); });
}

void GridEditor::open(const QString& start) {
    int row = grid_->currentRow();
    int column = grid_->currentColumn();
    if (row < 0 || column < 0) return;
    row_ = row;
    column_ = column;
    grid_->scrollTo(grid_->model()->index(row, column));
    edit_->setGeometry(grid_->visualRect(grid_->model()->index(row, column)));
    if (start.isEmpty()) {
        edit_->setText(cellText(grid_, row, column));
        edit_->selectAll();
    } else {
        edit_->setText(start);
        edit_->setCursorPosition(static_cast<int>(start.size()));
    }
    edit_->show();
    edit_->setFocus(Qt::OtherFocusReason);
}

void GridEditor::commit() {
    close(true);
}

void GridEditor::cancel() {
    close(false);
}

void GridEditor::close(bool store) {
    if (!edit_->isVisible()) return;
    closing_ = true;
    // Hiding the box while it has the focus would pass the focus on as a Tab does, and the
    // grid takes a Tab as a move to the next cell: hand the focus back to the grid first.
    if (edit_->hasFocus()) grid_->setFocus(Qt::OtherFocusReason);
    edit_->hide();
    closing_ = false;
    if (store && row_ >= 0 && column_ >= 0) setCellText(grid_, row_, column_, edit_->text());
}

bool GridEditor::gridKey(QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Space:
    case Qt::Key_F2:
        open({});
        return true;
    default:
        break;
    }
    QString text = key->text();
    if (text.isEmpty() || text.front().unicode() <= 32 || text.front().unicode() == 127)
        return false;
    open(text.left(1));
    return true;
}

bool GridEditor::editorKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        grid_->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Escape:
        cancel();
        grid_->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        int target = row_ + (key->key() == Qt::Key_Up ? -1 : 1);
        int column = column_;
        commit();
        grid_->setFocus(Qt::OtherFocusReason);
        if (target >= 0 && target < grid_->rowCount()) grid_->setCurrentCell(target, column);
        return true;
    }
    default:
        return false;
    }
}

bool GridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == grid_) return gridKey(key);
        if (watched == edit_) return editorKey(key);
    } else if (watched == edit_ && event->type() == QEvent::FocusOut && !closing_) {
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) commit();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillon
