// The program's entry point: wx's own, running the application object.

#include "ui/conf_app.h"

wxIMPLEMENT_APP(vellconf::CConfApp);
