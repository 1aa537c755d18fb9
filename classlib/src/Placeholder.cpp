// placeholder until the first routines land
