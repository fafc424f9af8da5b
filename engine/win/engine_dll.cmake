# The engine DLL for Windows builds.
