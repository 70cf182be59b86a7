#include "KxGamutView.h"

bool KxGamutView::supported()
{
    return false;
}

KxGamutView::KxGamutView(QWidget* parent, const char* name)
    : QWidget(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
}

int KxGamutView::fromICC(const char*, const char*)
{
    return 0;
}
