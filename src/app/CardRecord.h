#pragma once

#include "app/ProjectFiles.h"

class TNodex;

/// What a card's file holds for the card as it is now.
CardFileData CardFileRecord(const TNodex& card);
