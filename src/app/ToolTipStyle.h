#pragma once

#include <QProxyStyle>

/// The platform's style with the program's tooltip timing: shown after 400 ms.
class ToolTipStyle : public QProxyStyle {
public:
    static constexpr int WakeUpDelay = 400;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
