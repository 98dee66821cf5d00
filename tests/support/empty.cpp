// Keeps the support library non-empty until the simulated drive lands.
