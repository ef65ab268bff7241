// The adapter class table.
#include "skin/adapters/SkAdapterTable.h"

#include "skin/adapters/SkBitBtnWnds.h"
#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkComboWnds.h"
#include "skin/adapters/SkEditWnd.h"
#include "skin/adapters/SkGridWnds.h"
#include "skin/adapters/SkListViewWnd.h"
#include "skin/adapters/SkStaticWnds.h"

namespace ad::skin::adapters {

namespace {
template <class T>
TSkAdapterPtr<TSkMainWnd> Make(HWND wnd, TSkinManager* manager, const TSkSkinParams& params) {
    return TSkMainWnd::Create<T>(wnd, nullptr, manager, params);
}
}  // namespace

const std::array<TSkAdapterMaker, kAdapterKindCount>& AdapterClassTable() {
    static const std::array<TSkAdapterMaker, kAdapterKindCount> table = [] {
        std::array<TSkAdapterMaker, kAdapterKindCount> t{};
        t[akEdit] = &Make<TSkEditWnd>;
        t[akButton] = &Make<TSkBtnWnd>;
        t[akBitBtn] = &Make<TSkBitBtnWnd>;
        t[akCheckBox] = &Make<TSkCheckBoxWnd>;
        t[akGroupBox] = &Make<TSkGroupBoxWnd>;
        t[akComboBox] = &Make<TSkComboBoxWnd>;
        t[akListView] = &Make<TSkListViewWnd>;
        t[akTreeView] = &Make<TSkTreeViewWnd>;
        t[akGrid] = &Make<TSkGridWnd>;
        t[akGridEh] = &Make<TSkGridEhWnd>;
        t[akVirtualTree] = &Make<TSkVirtualTreeViewWnd>;
        t[akStaticText] = &Make<TSkStaticTextWnd>;
        return t;
    }();
    return table;
}

TSkAdapterPtr<TSkMainWnd> CreateAdapter(TSkAdapterKind kind, HWND wnd, TSkinManager* manager,
                                          const TSkSkinParams& params) {
    if (int(kind) < 0 || int(kind) >= kAdapterKindCount || !wnd) return nullptr;
    const TSkAdapterMaker make = AdapterClassTable()[size_t(kind)];
    return make ? make(wnd, manager, params) : nullptr;
}

}  // namespace ad::skin::adapters
