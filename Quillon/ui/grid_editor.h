// The floating text box that edits the cells of the state-transition table in place.
#pragma once

#include <QLineEdit>
#include <QObject>

class QTableWidget;

namespace quillon {

/// Lays the text box `TxtGrid` over the current cell of a grid whose own editing is off.
/// A printable key typed on the grid opens it starting with that character; Enter, Backspace,
/// Space or F2 open it on the cell's text, all selected. In the box, Enter stores the text and
/// returns to the grid, Escape returns without storing, Up and Down store and move one row.
/// Leaving the box any other way (a click elsewhere, scrolling, another cell) stores the text.
class GridEditor : public QObject {
    Q_OBJECT
public:
    explicit GridEditor(QTableWidget* grid);

    QLineEdit* TxtGrid() const { return edit_; }

    /// Opens the box over the current cell: with `start` as its text (caret after it), or, when
    /// `start` is empty, with the cell's text, all selected.
    void open(const QString& start);

    /// Stores the box's text into the cell it was opened on and hides it (nothing when hidden).
    void commit();

    /// Hides the box without storing.
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool gridKey(class QKeyEvent* key);
    bool editorKey(class QKeyEvent* key);
    /// Hides the box, the focus back on the grid when the box had it; stores the text when
    /// `store`.
    void close(bool store);

    QTableWidget* grid_;
    QLineEdit* edit_;
    int row_ = -1;
    int column_ = -1;
    bool closing_ = false; ///< the box is being closed: its focus loss is no commit
};

/// The text of cell (row, column), "" when it has none.
QString cellText(const QTableWidget* grid, int row, int column);

/// Sets the text of cell (row, column), creating its item when needed.
void setCellText(QTableWidget* grid, int row, int column, const QString& text);

} // namespace quillon
