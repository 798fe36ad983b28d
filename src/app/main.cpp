// The program's entry point: wx's own, running the application object.

#include "app/conf_app.h"

wxIMPLEMENT_APP(vellconf::CConfApp);
