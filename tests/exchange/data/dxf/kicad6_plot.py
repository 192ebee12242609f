# Plots the Edge.Cuts layer of kicad6_board.kicad_pcb with KiCad's DXF plotter: python3 kicad6_plot.py
import pcbnew
b = pcbnew.LoadBoard("kicad6_board.kicad_pcb")
pc = pcbnew.PLOT_CONTROLLER(b)
po = pc.GetPlotOptions()
po.SetOutputDirectory(".")
po.SetPlotFrameRef(False)
po.SetDXFPlotPolygonMode(False)
po.SetDXFPlotUnits(pcbnew.DXF_UNITS_MILLIMETERS)
po.SetUseAuxOrigin(False)
pc.SetLayer(pcbnew.Edge_Cuts)
pc.OpenPlotfile("Edge_Cuts", pcbnew.PLOT_FORMAT_DXF, "edge")
pc.PlotLayer()
pc.ClosePlot()
