// The adapter class table: for each adapter kind (the list that names a
// control's class), the maker of its adapter. Kinds whose adapter is not
// built here have none; their controls stay native.
#pragma once

#include <array>
#include <memory>

#include "skin/adapters/SkMainWnd.h"
#include "skin/engine/skinfile/SkinThirdParty.h"

namespace ad::skin::adapters {

using TSkAdapterMaker = TSkAdapterPtr<TSkMainWnd> (*)(HWND wnd, TSkinManager* manager,
                                                       const TSkSkinParams& params);

const std::array<TSkAdapterMaker, kAdapterKindCount>& AdapterClassTable();

// The adapter of the kind for the window; null when the kind has none.
TSkAdapterPtr<TSkMainWnd> CreateAdapter(TSkAdapterKind kind, HWND wnd, TSkinManager* manager,
                                          const TSkSkinParams& params);

}  // namespace ad::skin::adapters
