#pragma once

#include <functional>

class GoodsImportFrm;
class StationFrm;

// The station's "품목 가져오기" and "품목 내보내기" commands.
class GoodsFileActions {
public:
    // Opens the import window; when the operator confirms, the import is applied to the
    // station's goods list as one operation (saved with the station's files as any other
    // change of the list).
    static void importGoods(StationFrm *station);
    // Asks for a file name and kind (.xlsx, CSV UTF-8, CSV CP949) and writes the goods list.
    static void exportGoods(StationFrm *station);

    // Runs the import window modally; tests replace it to drive the window without a modal
    // loop. True when the operator confirmed.
    static std::function<bool(GoodsImportFrm &)> runImportWindow;
};
