// Names for the positions in the main window's arrays of boxes and menu items, and the array
// type they index.
#pragma once

#include <array>
#include <cstddef>

namespace tarrox {

// A std::array indexed by an enum whose last enumerator is Count.
template <class T, class E> struct EnumArray : std::array<T, static_cast<size_t>(E::Count)> {
    using Base = std::array<T, static_cast<size_t>(E::Count)>;
    using Base::operator[];
    T& operator[](E e) { return Base::operator[](static_cast<size_t>(e)); }
    const T& operator[](E e) const { return Base::operator[](static_cast<size_t>(e)); }
};

// The 16 boxes of the object editor, in the order the record keeps its fields.
enum class ObjectBox {
    Left,
    Top,
    Right,
    Bottom,
    Width,
    Height,
    Text,
    ControlId,
    ResponseLeft,
    ResponseTop,
    ResponseRight,
    ResponseBottom,
    TextLeft,
    TextTop,
    TextRight,
    TextBottom,
    Count
};

enum class SmkBox { FileName, OverlayX, OverlayY, Count };

// Menu items in menu order; a separator takes a place like an item.
enum class FileMenu { Open, Save, SaveAs, CompactArchive, Separator, Exit, Count };
enum class EditMenu {
    Undo,
    Redo,
    Separator,
    Cut,
    Copy,
    Paste,
    Duplicate,
    Delete,
    InsertObject,
    ClearSelection,
    FindSeparator,
    Find,
    FindAgain,
    Count
};
enum class ViewMenu { Preview, FormattingCodes, Count };
enum class HelpMenu { ViewReadme, Separator, About, Count };
enum class OptionsMenu { AutoCalc, SetMpqLocale, Count };
// The two lists, each with its right-click menu.
enum class RecordKind { Objects, Smks, Count };

} // namespace tarrox
