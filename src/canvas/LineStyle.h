#pragma once

/// How thick the link lines of a theme are drawn: the line's pen and the dot at its target end.
/// The defaults are the thin line and 3-pixel dot of themes that say nothing of them.
struct LineStyle {
    static constexpr int MaxPenWidth = 6;
    static constexpr int MinDotSize = 3;
    static constexpr int MaxDotSize = 15;

    int PenWidth = 1;
    int DotSize = MinDotSize; ///< pixels across

    /// How far the drawing may reach beyond the line's box: the thin line and small dot stay
    /// inside it.
    int Overhang() const { return *this == LineStyle{} ? 0 : (PenWidth > DotSize ? PenWidth : DotSize) / 2 + 1; }
    bool operator==(const LineStyle&) const = default;
};
