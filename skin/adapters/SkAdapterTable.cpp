// The adapter class table.
#include "skin/adapters/SkAdapterTable.h"

#include "skin/adapters/SkBitBtnWnds.h"
#include "skin/adapters/SkButtonWnds.h"
#include "skin/adapters/SkStaticWnds.h"

namespace ad::skin::adapters {

namespace {
template <class T>
std::unique_ptr<TSkMainWnd> Make(HWND wnd, TSkinManager* manager, const TSkSkinParams& params) {
    return TSkMainWnd::Create<T>(wnd, nullptr, manager, params);
}
}  // namespace

const std::array<TSkAdapterMaker, kAdapterKindCount>& AdapterClassTable() {
    static const std::array<TSkAdapterMaker, kAdapterKindCount> table = [] {
        std::array<TSkAdapterMaker, kAdapterKindCount> t{};
        t[akButton] = &Make<TSkBtnWnd>;
        t[akBitBtn] = &Make<TSkBitBtnWnd>;
        t[akCheckBox] = &Make<TSkCheckBoxWnd>;
        t[akGroupBox] = &Make<TSkGroupBoxWnd>;
        t[akStaticText] = &Make<TSkStaticTextWnd>;
        return t;
    }();
    return table;
}

std::unique_ptr<TSkMainWnd> CreateAdapter(TSkAdapterKind kind, HWND wnd, TSkinManager* manager,
                                          const TSkSkinParams& params) {
    if (int(kind) < 0 || int(kind) >= kAdapterKindCount || !wnd) return nullptr;
    const TSkAdapterMaker make = AdapterClassTable()[size_t(kind)];
    return make ? make(wnd, manager, params) : nullptr;
}

}  // namespace ad::skin::adapters
