#pragma once

#include <QString>

#include <functional>
#include <optional>

struct CanvasState;
struct Theme;
class MessageTable;
class CanvasScene;
class TfmEditor;
class TNodex;

/// The text of a card: its open editor's (if any), unsaved changes included, else its saved
/// text file's; none when it has neither.
std::optional<QString> CardText(const TfmEditor* editor, const QString& textFilePath);

/// The words of a card: its open editor's (unsaved text and a selection included), else its
/// saved text file's; 0 when it has neither.
qint64 CardWords(const TfmEditor* editor, const QString& textFilePath);

/// The card word count's message: "'name' Word count is …".
QString CardWordCountMessage(const TNodex& card, qint64 words, int target, const MessageTable& messages);

/// The project word count's message, by what is current and selected: every card of the first
/// type, the current card alone, its `chain` from it on, or the selected cards.
QString ProjectWordCountMessage(const CanvasScene& canvas, const CanvasState& selection, const QList<TNodex*>& chain,
                                const Theme& theme,
                                const std::function<qint64(const TNodex&)>& words, int target,
                                const MessageTable& messages);
