// Saving the order as "My Order.txt" and printing it on one page.
#pragma once

class CPage2;

void SaveOrder(CPage2* page);
void PrintOrder(CPage2* page);
