#pragma once
// A record navigator: buttons first, prior, next, last, insert, delete, edit, post, cancel
// and refresh over a data source, each enabled by the dataset's state. The program's
// operation menus "press" them through btnClick.
#include "platform/db/datasource.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QToolButton;

namespace tarix::dbctrl {

enum class NavigateButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget *parent = nullptr);
    ~DBNavigator() override;

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const;

    // Which buttons show (all by default), in the fixed order.
    void setVisibleButtons(const QList<NavigateButton> &buttons);
    QList<NavigateButton> visibleButtons() const;
    // Tool tips in the button order (first ... refresh); missing or empty: none.
    void setHints(const QStringList &hints);
    QToolButton *button(NavigateButton b) const;
    bool isButtonEnabled(NavigateButton b) const;

    // Whether delete asks deleteQuestion first. Off: the tables ask their own questions in
    // their BeforeDelete events, and a second question would be one too many.
    bool confirmDelete = false;
    QString deleteQuestion = QStringLiteral("Vymazať záznam?");

    // Runs before a button's action; throwing EMyError or EAbort refuses the press.
    std::function<void(NavigateButton)> beforeAction;
    // Runs after a button's action completed.
    std::function<void(NavigateButton)> onClick;

    // Presses a button: runs beforeAction, the dataset operation and onClick. A refusal
    // is reported (EMyError shown, EAbort silent); returns whether the action completed.
    // Works whether or not the button is shown or enabled, as a press from a menu does.
    bool btnClick(NavigateButton b);

    // Re-reads the buttons' enabled states from the dataset.
    void updateButtons();

private:
    class Link;
    std::unique_ptr<Link> m_link;
    QList<QToolButton *> m_buttons;
};

} // namespace tarix::dbctrl
