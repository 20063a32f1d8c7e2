// Control ids of the about dialog, shared by the dialog and its test.
#pragma once

namespace davrin::about {

enum AboutId : unsigned short {
    IdPicture1 = 1001,
    IdFrame1,
    IdLabel1,
    IdLabel2,
    IdLabel6,
    IdLabel3,
    IdLabel4,
    IdCommand1 = 1, // IDOK: Enter presses it
};

} // namespace davrin::about
