// Gives the shared precompiled header of the test programs a target to be made in.
