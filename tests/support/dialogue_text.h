// Everything the dialogue prints, in order, as the program prints it.
#pragma once

namespace rainprep::test_support {

inline constexpr const char* dialogue_text =
    "\nCOORDENADAS: "
    "\n----------- "
    "\n\tIntroduzca la coordenada XLLCORNER: "
    "\n\tIntroduzca la coordenada YLLCORNER: "
    "\n\tIntroduzca la coordenada CELLSIZE: "
    "\nFECHA Y hora DE INICIO Y FIN DE LA LLUVIA: "
    "\n----------------------------------------- "
    "\n\tFecha de inicio de la lluvia. "
    "\n\t\tDia: \n\t\tMes: \n\t\tAno: \n\t\tHora: \n\t\tMin: "
    "\n\tFecha de fin de la lluvia: "
    "\n\t\tDia: \n\t\tMes: \n\t\tAno: \n\t\tHora: \n\t\tMin: "
    "\nFICHERO: "
    "\n------- "
    "\nIntroduzca el nombre del fichero inicial: "
    "\nIntroduzca el intervalo de tiempo entre ficheros (min): ";

inline constexpr const char* closing_text = "\nEl programa ha finalizado correctamente.\n\n";

}  // namespace rainprep::test_support
