#include "modelwindows.h"

#include "app/mdimain.h"

void RegisterModelWindows()
{
}
