#include "ScriptedPrompt.h"
