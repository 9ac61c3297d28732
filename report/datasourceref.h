// The data source header with what it needs complete before it (its inline accessor reads a
// guarded pointer to the table), for the report classes that hold guarded data source references.
#pragma once

#include "data/store/table.h"

#include "data/store/datasource.h"
