#include "platform/dbctrl/db_navigator.h"

#include "platform/db/dataset.h"
#include "platform/dbctrl/field_link.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace tarix::dbctrl {

namespace {

constexpr int kButtonCount = 10;

const char16_t *const kGlyphs[kButtonCount] = {u"|◀", u"◀", u"▶", u"▶|", u"+", u"−", u"▲", u"✓", u"✗", u"↻"};

} // namespace

class DBNavigator::Link : public db::DataLink {
public:
    explicit Link(DBNavigator &n) : m_nav(n) {}
    void activeChanged() override { m_nav.updateButtons(); }
    void dataSetChanged() override { m_nav.updateButtons(); }
    void dataSetScrolled() override { m_nav.updateButtons(); }
    void editingChanged() override { m_nav.updateButtons(); }

private:
    DBNavigator &m_nav;
};

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent), m_link(std::make_unique<Link>(*this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setText(QString::fromUtf16(kGlyphs[i]));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, i] { btnClick(NavigateButton(i)); });
        layout->addWidget(b);
        m_buttons << b;
    }
    updateButtons();
}

DBNavigator::~DBNavigator() { m_link->setDataSource(nullptr); }

void DBNavigator::setDataSource(db::DataSource *source) { m_link->setDataSource(source); }

db::DataSource *DBNavigator::dataSource() const { return m_link->dataSource(); }

void DBNavigator::setVisibleButtons(const QList<NavigateButton> &buttons)
{
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[i]->setVisible(buttons.contains(NavigateButton(i)));
}

QList<NavigateButton> DBNavigator::visibleButtons() const
{
    QList<NavigateButton> l;
    for (int i = 0; i < kButtonCount; ++i)
        if (!m_buttons[i]->isHidden())
            l << NavigateButton(i);
    return l;
}

void DBNavigator::setHints(const QStringList &hints)
{
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[i]->setToolTip(hints.value(i));
}

QToolButton *DBNavigator::button(NavigateButton b) const { return m_buttons.value(int(b)); }

bool DBNavigator::isButtonEnabled(NavigateButton b) const { return m_buttons[int(b)]->isEnabled(); }

void DBNavigator::updateButtons()
{
    bool enabled[kButtonCount] = {};
    if (m_link->isActive()) {
        db::DataSet *ds = m_link->dataSet();
        const bool editing = ds->isEditing();
        const bool empty = ds->isEmpty();
        const bool modifiable = ds->canModify();
        const int n = ds->recordCount();
        const int recordNumber = ds->recordNumber(); // 0 while inserting
        const bool up = !empty && recordNumber != 1 && n > 0;
        const bool down = !empty && recordNumber != n && n > 0;
        enabled[int(NavigateButton::First)] = up;
        enabled[int(NavigateButton::Prior)] = up;
        enabled[int(NavigateButton::Next)] = down;
        enabled[int(NavigateButton::Last)] = down;
        enabled[int(NavigateButton::Insert)] = modifiable;
        enabled[int(NavigateButton::Delete)] = modifiable && !empty;
        enabled[int(NavigateButton::Edit)] = modifiable && !editing;
        enabled[int(NavigateButton::Post)] = editing;
        enabled[int(NavigateButton::Cancel)] = editing;
        enabled[int(NavigateButton::Refresh)] = true;
    }
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[i]->setEnabled(enabled[i]);
}

bool DBNavigator::btnClick(NavigateButton b)
{
    const bool done = runReported([&] {
        db::DataSource *src = m_link->dataSource();
        if (!m_link->isActive() || !src)
            return;
        if (beforeAction)
            beforeAction(b);
        db::DataSet &ds = *src->dataSet();
        switch (b) {
        case NavigateButton::First: ds.first(); break;
        case NavigateButton::Prior: ds.prior(); break;
        case NavigateButton::Next: ds.next(); break;
        case NavigateButton::Last: ds.last(); break;
        case NavigateButton::Insert: ds.insert(); break;
        case NavigateButton::Delete:
            if (confirmDelete && !ui::current().askYesNo(deleteQuestion))
                throw EAbort();
            ds.deleteRecord();
            break;
        case NavigateButton::Edit: ds.edit(); break;
        case NavigateButton::Post: ds.post(); break;
        case NavigateButton::Cancel: ds.cancel(); break;
        case NavigateButton::Refresh: ds.refresh(); break;
        }
    });
    updateButtons();
    if (done && onClick)
        runReported([&] { onClick(b); });
    return done;
}

} // namespace tarix::dbctrl
