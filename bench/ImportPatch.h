#pragma once

// Points this program's own import of a system function (by name, from whichever module it
// is imported) at a replacement; answers the function it pointed at before, or null when the
// program does not import it. Calls from the system's modules are not affected.
void* PatchImport(const char* function, void* replacement);
