// The device operations of the "Контроллер" menu.
// Placeholder until the transfer sequences are built: the actions do nothing.
#include "app/main_window.h"

void TForm1::initOperations() {}
void TForm1::finishOperations() {}
void TForm1::ProgrammExecute() {}
void TForm1::ReadConfExecute() {}
void TForm1::CompareConfExecute() {}
void TForm1::ReconfigurateExecute() {}
void TForm1::ResetExecute() {}
void TForm1::ReadIMEICodeExecute() {}
void TForm1::FactoryConfigExecute() {}
