// Shows the register dialog on one register of a map, for looking at it (not a test):
//   preview_register_dialog MAP.zrp ROW [TAB]
// ROW -1 opens it for a new register; TAB selects the page shown (0 Register).

#include "catalogue/parameter_list.h"
#include "core/silent_ui.h"
#include "editing/CRegisterDialog.h"
#include "format/map_text.h"
#include "model/register_values.h"
#include "model/zrp_file.h"

#include <QApplication>
#include <QTabWidget>

#include <fstream>
#include <iostream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: preview_register_dialog MAP.zrp ROW [TAB]\n";
        return 2;
    }
    zrp_file map;
    std::ifstream in(argv[1]);
    silent_ui quiet;
    if (!in || !read_map(in, map, quiet)) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    parameter_list catalogue;
    catalogue.load(TESSALY_SOURCE_DIR "/resources/params.lst");
    const int row = std::atoi(argv[2]);
    host_register fresh(&map);
    const host_register* reg = row >= 0 ? map.register_at(row) : &fresh;
    if (reg == nullptr) {
        std::cerr << "no register at row " << row << "\n";
        return 1;
    }
    CRegisterDialog dialog(register_values(*reg), row >= 0, &catalogue, network_protocol_flag);
    if (argc > 3)
        dialog.tabs()->setCurrentIndex(std::atoi(argv[3]));
    dialog.show();
    return app.exec();
}
