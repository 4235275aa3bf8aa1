// The voucher module's entry: the data module first, since the main window's creation uses it.

#include "platform/sys/CommandLine.h"
#include "platform/ui/Application.h"
#include "shell/UDm.h"
#include "vouchers/UVales.h"

int main(int argc, char** argv) {
    InitCommandLine(argc, argv);
    Application->Initialize(argc, argv);
    Application->MainFormOnTaskBar = true;
    Application->CreateForm(DM);
    Application->CreateForm(FrmVales);
    Application->Run();
    return 0;
}
