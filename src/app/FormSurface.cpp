#include "FormSurface.h"

#include "TForm1.h"

#include <QPainter>

namespace markwell {

FormSurface::FormSurface(TForm1 &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
{
}

void FormSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_form.PaintWindow(painter);
}

} // namespace markwell

namespace markwell {

void FormSurface::resizeEvent(QResizeEvent *)
{
    m_form.layoutControls();
}

} // namespace markwell
