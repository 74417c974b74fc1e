#include "document/Editing.h"

namespace tarrox {

namespace {

// Removes string `s` and lowers every string number above it, so each record keeps its own.
void RemoveString(DialogDocument& doc, int32_t s) {
    for (int32_t c = s + 1; c < doc.StringCount; ++c) doc.StringTable[c - 1] = doc.StringTable[c];
    doc.StringTable[doc.StringCount - 1].clear();
    --doc.StringCount;
    for (int32_t i = 0; i < doc.ObjectCount; ++i)
        if (doc.ObjectTable[i].Text > s) --doc.ObjectTable[i].Text;
    for (int32_t k = 0; k < doc.SmkCount; ++k)
        if (doc.SmkTable[k].FileName > s) --doc.SmkTable[k].FileName;
}

// The new link after SMK `removed` is gone: -1 for a link to it, one lower above it.
int32_t RelinkAfterRemoval(int32_t link, int32_t removed) {
    if (link == removed) return -1;
    return link > removed ? link - 1 : link;
}

} // namespace

bool AddObject(DialogDocument& doc) {
    if (doc.ObjectCount >= MaxObjects || doc.StringCount >= MaxStrings) return false;
    doc.StringTable[doc.StringCount] = "New";
    DialogObject o;
    o.Text = doc.StringCount;
    o.ControlType = 9; // Label (Left align)
    o.Width = 1;
    o.Height = 1;
    o.SmkLink = -1;
    doc.ObjectTable[doc.ObjectCount] = o;
    ++doc.ObjectCount;
    ++doc.StringCount;
    return true;
}

bool AddSmk(DialogDocument& doc) {
    if (doc.SmkCount >= MaxSmks || doc.StringCount >= MaxStrings) return false;
    doc.StringTable[doc.StringCount] = "New";
    SmkEntry e;
    e.FileName = doc.StringCount;
    e.Next = -1;
    doc.SmkTable[doc.SmkCount] = e;
    ++doc.SmkCount;
    ++doc.StringCount;
    return true;
}

bool DeleteObject(DialogDocument& doc, int32_t index) {
    if (index < 0 || index >= doc.ObjectCount || doc.ObjectCount <= 1) return false;
    const int32_t s = doc.ObjectTable[index].Text;
    for (int32_t b = index + 1; b < doc.ObjectCount; ++b)
        doc.ObjectTable[b - 1] = doc.ObjectTable[b];
    --doc.ObjectCount;
    RemoveString(doc, s);
    return true;
}

bool DeleteSmk(DialogDocument& doc, int32_t index) {
    if (index < 0 || index >= doc.SmkCount) return false;
    const int32_t s = doc.SmkTable[index].FileName;
    for (int32_t k = index + 1; k < doc.SmkCount; ++k) doc.SmkTable[k - 1] = doc.SmkTable[k];
    --doc.SmkCount;
    for (int32_t k = 0; k < doc.SmkCount; ++k)
        doc.SmkTable[k].Next = RelinkAfterRemoval(doc.SmkTable[k].Next, index);
    for (int32_t i = 0; i < doc.ObjectCount; ++i)
        doc.ObjectTable[i].SmkLink = RelinkAfterRemoval(doc.ObjectTable[i].SmkLink, index);
    RemoveString(doc, s);
    return true;
}

} // namespace tarrox
