#include "components/grid/plugin/dbgpaint.h"

#include <algorithm>

namespace tarix::grid {

GridRect placeImage(ImageLayout layout, GridRect &cell, QSize image)
{
    const int iw = std::min(image.width(), cell.width());
    const int ih = std::min(image.height(), cell.height());
    const int w = iw + 1;
    const int h = ih + 1;
    const int centreX = cell.left + (cell.width() - w) / 2;
    const int centreY = cell.top + (cell.height() - h) / 2;
    int left = cell.left;
    int top = cell.top;
    switch (layout) {
    case ImageLayout::ilLeft:
        top = centreY;
        cell.left = left + w + 1;
        break;
    case ImageLayout::ilLeftTop:
        cell.top = top + h + 1;
        break;
    case ImageLayout::ilTop:
        left = centreX;
        cell.top = top + h + 1;
        break;
    case ImageLayout::ilRightTop:
        left = cell.right - w;
        cell.top = top + h + 1;
        break;
    case ImageLayout::ilRight:
        left = cell.right - w;
        top = centreY;
        cell.right = left - 1;
        break;
    case ImageLayout::ilRightBottom:
        left = cell.right - w;
        top = cell.bottom - h;
        cell.bottom = top - 1;
        break;
    case ImageLayout::ilBottom:
        left = centreX;
        top = cell.bottom - h;
        cell.bottom = top - 1;
        break;
    case ImageLayout::ilLeftBottom:
        top = cell.bottom - h;
        cell.bottom = top - 1;
        break;
    case ImageLayout::ilCenter:
        left = centreX;
        top = centreY;
        break;
    }
    return {left, top, left + iw, top + ih};
}

TDrawAttr::TDrawAttr(std::function<QFont()> parentFont) : m_parent(std::move(parentFont))
{
    if (m_parent)
        m_font = m_parent();
}

void TDrawAttr::changed()
{
    if (onChanged)
        onChanged();
}

void TDrawAttr::setTextAlignment(TextAlignment value)
{
    if (value == m_textAlignment)
        return;
    m_textAlignment = value;
    changed();
}

void TDrawAttr::setTextLayout(TextLayout value)
{
    if (value == m_textLayout)
        return;
    m_textLayout = value;
    changed();
}

void TDrawAttr::setParentFont(bool value)
{
    if (value == m_parentFont)
        return;
    m_parentFont = value;
    if (value && m_parent) {
        m_font = m_parent();
        if (onFontChanged)
            onFontChanged();
    }
    changed();
}

void TDrawAttr::setFont(const QFont &font)
{
    if (font == m_font && !m_parentFont)
        return;
    m_font = font;
    m_parentFont = false;
    if (onFontChanged)
        onFontChanged();
    changed();
}

void TDrawAttr::setImageLayout(ImageLayout value)
{
    if (value == m_imageLayout)
        return;
    m_imageLayout = value;
    changed();
}

void TDrawAttr::Assign(const TDrawAttr &other)
{
    m_textAlignment = other.m_textAlignment;
    m_textLayout = other.m_textLayout;
    m_imageLayout = other.m_imageLayout;
    m_parentFont = other.m_parentFont;
    m_font = m_parentFont && m_parent ? m_parent() : other.m_font;
    if (onFontChanged)
        onFontChanged();
    changed();
}

} // namespace tarix::grid
