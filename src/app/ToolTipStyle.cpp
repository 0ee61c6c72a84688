#include "app/ToolTipStyle.h"

int ToolTipStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    if (hint == QStyle::SH_ToolTip_WakeUpDelay)
        return WakeUpDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
