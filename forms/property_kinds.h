#pragma once
// Sets of object kinds, as the property tables name them.
#include <cstdint>
#include <initializer_list>

#include "forms/portable/object_kinds.h"

using KindSet = std::uint64_t;

constexpr KindSet Kinds(std::initializer_list<int> kinds)
{
    KindSet set = 0;
    for (int kind : kinds)
        set |= KindSet{1} << kind;
    return set;
}

constexpr KindSet KindRange(int first, int last)
{
    KindSet set = 0;
    for (int kind = first; kind <= last; ++kind)
        set |= KindSet{1} << kind;
    return set;
}

constexpr KindSet kAllKinds = KindRange(KindDialogForm, kLastKind);
constexpr KindSet kFormKinds = KindRange(KindDialogForm, KindWindowForm);
constexpr KindSet kControlKinds = KindRange(kFirstControlKind, kLastKind);
constexpr KindSet kRangedKinds = Kinds({KindHScrollBar, KindVScrollBar, KindProgressBar, KindTrackbar, KindUpDown});
constexpr KindSet kDockableKinds = Kinds({KindPicture, KindToolbar, KindStatusBar});
constexpr KindSet kPenKinds = Kinds({KindWindowForm, KindPicture});
constexpr KindSet kPictureKinds = kFormKinds | Kinds({KindPushButton, KindPicture, KindImageStatic});
constexpr KindSet kImageOrScrollKinds = Kinds({KindImageStatic, KindHScrollBar, KindVScrollBar});

inline bool HasKind(KindSet kinds, int kind)
{
    return kind >= 0 && kind <= kLastKind && (kinds & (KindSet{1} << kind)) != 0;
}
