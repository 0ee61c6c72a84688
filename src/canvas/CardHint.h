#pragma once

#include <QString>

/// The tooltip of a card: its description broken into lines of about 40 to 50 characters, each
/// followed by CR LF, so that long descriptions stay readable in a tooltip.
QString BuildCardHint(const QString& description);
