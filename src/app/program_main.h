// The program's life cycle: the entry the runtime calls, the start-up and the exit routine.
#pragma once

void ProgramMain();
void StartUp();
void ReleaseAppState();
