// The template project's SQL, tpstemplate.sql, compiled into the library by
// the build (TemplateSchema.cpp.in), which also makes the template file
// tpstemplate.dll from it: one source for both. Open, New and Save hold
// every project's tables to the shape this SQL makes, so that a project is
// judged by the library's own description, whatever lies beside it.
#pragma once

const char* TemplateSchemaSql();
