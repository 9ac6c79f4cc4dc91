#pragma once
// The window's controls found as the help texts find them: by their object
// names, "chkMain_3" for entry 3 of an array.

#include <QAbstractItemView>
#include <QObject>
#include <QString>
#include <QTest>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace krv::test {

template <class Widget = QWidget>
Widget* named(const QObject& root, std::string_view name, int index = -1) {
    std::string object(name);
    if (index >= 0)
        object += "_" + std::to_string(index);
    auto* found = root.findChild<Widget*>(QString::fromStdString(object));
    if (!found)
        throw std::logic_error("no control named " + object);
    return found;
}

// The texts a list view shows, in order.
inline std::vector<std::string> rowTexts(const QAbstractItemView* view) {
    std::vector<std::string> texts;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.push_back(model->index(row, 0).data().toString().toStdString());
    return texts;
}

// The text of the view's current entry; empty for none.
inline std::string currentText(const QAbstractItemView* view) {
    return view->currentIndex().data().toString().toStdString();
}

// A click of `button` on the entry shown in `row`, as the player makes it.
inline void clickRow(QAbstractItemView* view, int row, Qt::MouseButton button = Qt::LeftButton) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), button, {}, view->visualRect(index).center());
}

inline void doubleClickRow(QAbstractItemView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

} // namespace krv::test
