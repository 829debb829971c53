#include "components/grid/plugin/vis_controls.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarix::grid {

QRect dropDownRect(const QRect &cell, QSize size, DropDownPlacement placement, const QRect &screen)
{
    int left = cell.left();
    switch (placement) {
    case DropDownPlacement::dlpLeft: left = cell.left(); break;
    case DropDownPlacement::dlpCenter: left = cell.left() + (cell.width() - size.width()) / 2; break;
    case DropDownPlacement::dlpRight: left = cell.left() + cell.width() - size.width(); break;
    }
    int top = cell.top() + cell.height();
    if (left + size.width() > screen.left() + screen.width())
        left = screen.left() + screen.width() - size.width();
    if (top + size.height() > screen.top() + screen.height())
        top = screen.top() + screen.height() - size.height();
    return QRect(QPoint(left, top), size);
}

// ---- TVisioForm ------------------------------------------------------------------------------

TVisioForm::TVisioForm(QWidget *owner, TSectionVisio &visio)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_visio(visio)
{
    setFrameShape(QFrame::NoFrame);
    QColor colour;
    if (HostGrid *grid = visio.Grid()) {
        if (grid->designer())
            colour = grid->designer()->StateStyles().EditSurfaceColor();
        if (!colour.isValid())
            colour = grid->color();
    }
    if (colour.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colour);
        setPalette(pal);
        setAutoFillBackground(true);
    }
}

QRect TVisioForm::currentCellOnScreen() const
{
    HostGrid *grid = m_visio.Grid();
    if (!grid)
        return {};
    const QRect cell = cellRect(*grid, m_visio.sectionAt().column().index(), m_visio.sectionAt().index(),
                                grid->currentRow())
                           .toQRect();
    if (QWidget *w = grid->widget())
        return QRect(w->mapToGlobal(cell.topLeft()), cell.size());
    return cell;
}

void TVisioForm::placeOverCell()
{
    setGeometry(currentCellOnScreen());
}

bool TVisioForm::formKeyDown(QKeyEvent &event)
{
    HostGrid *grid = m_visio.Grid();
    if (!grid || event.modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Tab: grid->nextCell(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!singleLine())
            return false;
        grid->post(m_visio);
        return true;
    case Qt::Key_Escape: grid->cancel(m_visio); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!singleLine())
            return false;
        grid->moveRow(event.key() == Qt::Key_Up ? -1 : 1);
        return true;
    default: return false;
    }
}

bool TVisioForm::event(QEvent *e)
{
    switch (e->type()) {
    case QEvent::WindowActivate: FormActivate(); break;
    case QEvent::WindowDeactivate: formDeactivate(); break;
    case QEvent::KeyPress:
        if (formKeyDown(static_cast<QKeyEvent &>(*e)))
            return true;
        break;
    default: break;
    }
    return QFrame::event(e);
}

bool TVisioForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && formKeyDown(static_cast<QKeyEvent &>(*e)))
        return true;
    return QFrame::eventFilter(watched, e);
}

void TVisioForm::routeKeys(QWidget *child)
{
    child->installEventFilter(this);
}

TVisioToolForm::TVisioToolForm(QWidget *owner, TSectionVisio &visio) : TVisioForm(owner, visio)
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
}

void TVisioToolForm::placeUnderCell(DropDownPlacement placement)
{
    const QRect cell = currentCellOnScreen();
    QRect screen(0, 0, 1 << 20, 1 << 20);
    if (QScreen *s = QGuiApplication::screenAt(cell.center()))
        screen = s->availableGeometry();
    else if (QScreen *primary = QGuiApplication::primaryScreen())
        screen = primary->availableGeometry();
    setGeometry(dropDownRect(cell, sizeHint().expandedTo(size()), placement, screen));
}

// ---- edit forms ------------------------------------------------------------------------------

TVFStandard::TVFStandard(QWidget *owner, TSectionVisio &visio) : TVisioForm(owner, visio)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new TMaskEditPlus(this);
    m_edit->setObjectName(QStringLiteral("MaskEdit"));
    layout->addWidget(m_edit, 1);
    routeKeys(m_edit->editor());
    // The editor is made anew when its kind changes: its keys are routed again.
    connect(m_edit, &TMaskEditPlus::editorRecreated, this, &TVFStandard::routeKeys);
    setFocusProxy(m_edit);
}

TVFStandardSB::TVFStandardSB(QWidget *owner, TSectionVisio &visio) : TVFStandard(owner, visio)
{
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("SB"));
    m_button->setFocusPolicy(Qt::NoFocus);
    static_cast<QHBoxLayout *>(layout())->addWidget(m_button);
}

TVTFDropDown::TVTFDropDown(QWidget *owner, TSectionVisio &visio) : TVisioToolForm(owner, visio)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel"));
    auto *inner = new QVBoxLayout(m_panel);
    inner->setContentsMargins(0, 0, 0, 0);
    m_list = new TListBoxPlus(m_panel);
    m_list->setObjectName(QStringLiteral("ListBox"));
    inner->addWidget(m_list);
    layout->addWidget(m_panel);
    routeKeys(m_list);
    setFocusProxy(m_list);
}

bool TVTFDropDown::formKeyDown(QKeyEvent &event)
{
    // The list's own keys move its selection.
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return false;
    default: return TVisioToolForm::formKeyDown(event);
    }
}

} // namespace tarix::grid
