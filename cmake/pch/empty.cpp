// The precompiled headers need a source file to be made with.
