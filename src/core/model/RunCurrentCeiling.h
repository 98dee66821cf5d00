#pragma once

// The highest running current the configuration holds for a MaxRunCurrent:
// the limit in hundredths of an amp (the drive takes the current in
// hundredths), never above the limit itself (a limit of 2.555 A gives 2.55,
// not 2.56; 1.935 A for a 1.29 A motor gives 1.93). 0 for a limit of 0 or
// less.
double RunCurrentCeiling(float maxRunCurrent);
