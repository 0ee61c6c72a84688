#pragma once

#include <QByteArrayList>
#include <QString>

/// The texts a card's history keeps in a project folder (with its trailing "/"), newest first.
QByteArrayList HistoryTexts(const QString& projectFolder, const QString& cardName);
