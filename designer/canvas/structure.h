// Filled in by the work on this file.
#pragma once
